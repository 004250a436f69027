// Painting: cells are fetched from the owner only when they are on screen
// and not already in the row cache, then drawn with their alignment, tabs
// and colours. Properties the owner leaves unset come from the column, else
// from the table's defaults.
#include "twyndle/ui/table.h"
#include "twyndle/ui/table_text.h"

#include <algorithm>

namespace {

constexpr int32_t inherited_props[] = {prop_text_colour, prop_background, prop_font,
                                       prop_alignment, prop_box};

void copy_prop(CellText& cell, const CellProps& from, int32_t flag) {
  switch (flag) {
    case prop_text_colour: cell.text_colour = from.text_colour; break;
    case prop_background: cell.background = from.background; break;
    case prop_font: cell.font = from.font; break;
    case prop_alignment: cell.alignment = from.alignment; break;
    case prop_box: cell.box_flags = from.box_flags; break;
    default: break;
  }
  cell.flags |= flag;
}

void inherit_props(const TableLayout& layout, const ColumnProps& column, CellText& cell) {
  for (int32_t flag : inherited_props) {
    if (cell.flags & flag) continue;
    if (column.props.flags & flag)
      copy_prop(cell, column.props, flag);
    else if (layout.props.defaults.flags & flag)
      copy_prop(cell, layout.props.defaults, flag);
  }
}

// Empties the cell, asks the owner for it and makes the answer safe to draw.
void fetch_cell(Table& table, int32_t row, int32_t column, CellText& cell) {
  const TableLayout& layout = *table.layout;
  char* buffer = cell.text;
  int32_t length = cell.buffer_length;
  cell = CellText{length, buffer, 0, 0, 0, nullptr, 0, 0, 0};
  if (buffer) buffer[0] = '\0';
  if (row < layout.props.row_count) {
    TableCellsQuery query{layout.props.view, row, column, 1, &cell};
    table.surface->ask_owner(TQ_CELLS, reinterpret_cast<intptr_t>(&query));
  }
  // The buffer stays the table's, whatever the owner wrote into the record.
  cell.text = buffer;
  cell.buffer_length = length;
  cell.valid = 1;
  if (!buffer) return;
  buffer[length - 1] = '\0';
  for (char* c = buffer; *c; ++c)
    if (*c == '\r' || *c == '\n') *c = ' ';
}

void draw_cell(Table& table, const RowCacheEntry& entry, int32_t column) {
  const TableLayout& layout = *table.layout;
  TableSurface& surface = *table.surface;
  const ColumnPosition& position = layout.positions[column];
  const CellText& cell = entry.cells[column];
  TableRect rect{position.visible_start_x, entry.top, position.end_x, entry.bottom};

  TextStyle style{};
  style.font = (cell.flags & prop_font) ? cell.font : nullptr;
  style.has_colour = (cell.flags & prop_text_colour) != 0;
  style.colour = cell.text_colour;
  style.has_background = (cell.flags & prop_background) != 0;
  style.background = cell.background;
  if (style.has_background) surface.fill(rect, style.background);
  if (!cell.text || !cell.text[0]) return;

  int32_t char_width =
      style.font ? std::max(surface.font_metrics(style.font).char_width, 1) : layout.char_width;
  TextRun run{cell.text, style.font, 8 * char_width};
  int32_t alignment = (cell.flags & prop_alignment) ? cell.alignment : align_left;
  int32_t width = 0;
  if (alignment == align_centre || alignment == align_right) width = tabbed_width(surface, run);
  int32_t left = aligned_left(position.start_x, position.slot_width, layout.char_width, alignment, width);
  lay_out_tabs(surface, run, [&](const char* piece, int32_t length, int32_t x) {
    surface.draw_text(rect, left + x, entry.top, piece, length, style);
  });
}

bool column_on_screen(const TableLayout& layout, const ColumnPosition& position) {
  return position.visible_start_x < position.end_x &&
         position.visible_start_x < layout.client_width;
}

void draw_rules(Table& table) {
  const TableLayout& layout = *table.layout;
  TableSurface& surface = *table.surface;
  const TableProps& props = layout.props;
  if (props.rule_after_fixed_columns && props.fixed_columns > 0) {
    int32_t x = layout.positions[props.fixed_columns - 1].end_x + 1;
    surface.draw_line(x, 0, x, surface.client_height());
  }
  if (props.rule_under_fixed_rows && props.fixed_rows > 0) {
    int32_t y = props.fixed_rows * layout.row_height - 1;
    surface.draw_line(0, y, surface.client_width(), y);
  }
}

}  // namespace

bool table_paint_row(Table& table, int32_t index) {
  uint32_t generation = table.generation;
  int32_t row = layout_row_at(*table.layout, index);
  int32_t columns = static_cast<int32_t>(table.layout->columns.size());
  for (int32_t c = 0; c < columns; ++c) {
    TableLayout& layout = *table.layout;
    CellText& cell = layout.rows[index].cells[c];
    if (!column_on_screen(layout, layout.positions[c]) || cell.valid) continue;
    fetch_cell(table, row, c, cell);
    if (table.generation != generation) return false;
    inherit_props(layout, layout.columns[c], cell);
  }
  for (int32_t c = 0; c < columns; ++c)
    if (column_on_screen(*table.layout, table.layout->positions[c]))
      draw_cell(table, table.layout->rows[index], c);
  return true;
}

void table_paint(Table& table, const TableRect& update) {
  if (!table.layout) return;
  draw_rules(table);
  for (int32_t i = 0; i < table.layout->visible_rows; ++i) {
    const RowCacheEntry& entry = table.layout->rows[i];
    if (entry.bottom <= update.top || entry.top >= update.bottom) continue;
    if (!table_paint_row(table, i)) return;
  }
  draw_rules(table);
  if (table.layout->selection_drawn) table_invert_selection(table);
}
