#include "twyndle/ui/table_layout.h"

#include <algorithm>
#include <new>

namespace {

int32_t clamp32(int64_t value, int64_t low, int64_t high) {
  return static_cast<int32_t>(std::min(std::max(value, low), high));
}

int32_t slot_width(const TableLayout& layout, const ColumnProps& column,
                   TableSurface& surface) {
  int64_t width;
  if (column.props.flags & prop_width) {
    width = column.props.width;
  } else if (layout.props.defaults.flags & prop_width) {
    width = layout.props.defaults.width;
  } else {
    int32_t char_width = layout.char_width;
    if (column.props.flags & prop_font)
      char_width = std::max(surface.font_metrics(column.props.font).char_width, 1);
    width = (static_cast<int64_t>(column.text_length) + 1) * char_width;
  }
  return clamp32(width + 2, 2, 1 << 24);
}

void make_entry(const TableLayout& layout, RowCacheEntry& entry) {
  size_t store = 0;
  for (const ColumnProps& column : layout.columns) store += column.text_length;
  entry.height = layout.row_height;
  entry.text_store.assign(store, 0);
  entry.cells.assign(layout.columns.size(), CellText{});
  size_t at = 0;
  for (size_t c = 0; c < layout.columns.size(); ++c) {
    CellText& cell = entry.cells[c];
    cell.buffer_length = layout.columns[c].text_length;
    cell.text = cell.buffer_length > 0 ? entry.text_store.data() + at : nullptr;
    at += cell.buffer_length;
  }
}

}  // namespace

void layout_sanitise_props(TableProps& props) {
  props.row_count = std::max<int32_t>(props.row_count, 0);
  props.column_count = clamp32(props.column_count, 0, table_max_columns);
  props.fixed_rows = std::max<int32_t>(props.fixed_rows, 0);
  props.fixed_columns = clamp32(props.fixed_columns, 0, props.column_count);
}

bool layout_ask_columns(TableSurface& surface, TableLayout& layout) {
  try {
    layout.columns.assign(static_cast<size_t>(layout.props.column_count), ColumnProps{});
    layout.positions.assign(layout.columns.size(), ColumnPosition{});
  } catch (const std::bad_alloc&) {
    return false;
  }
  TableColumnsQuery query{layout.props.view, 0, layout.props.column_count,
                          layout.columns.data()};
  surface.ask_owner(TQ_COLUMNS, reinterpret_cast<intptr_t>(&query));
  for (ColumnProps& column : layout.columns)
    column.text_length = clamp32(column.text_length, 0, table_max_text_length);
  return true;
}

std::unique_ptr<TableLayout> layout_ask(TableSurface& surface, intptr_t view, const TableProps& start) {
  std::unique_ptr<TableLayout> layout(new (std::nothrow) TableLayout{});
  if (!layout) return nullptr;
  layout->props = start;
  layout->props.view = view;
  if (!surface.ask_owner(TQ_PROPS, reinterpret_cast<intptr_t>(&layout->props))) return nullptr;
  layout->props.view = view;
  layout_sanitise_props(layout->props);
  if (!layout_ask_columns(surface, *layout)) return nullptr;
  layout->scroll_scale = 1;
  layout->drag = DragState::idle;
  layout->second_line_x = -1;
  layout->selection = TableSelection{view, 0, 0, 0, 0};
  return layout;
}

std::unique_ptr<TableLayout> layout_build(TableSurface& surface, intptr_t view) {
  std::unique_ptr<TableLayout> layout = layout_ask(surface, view, TableProps{});
  if (!layout) return nullptr;
  surface.ask_owner(TQ_SELECTED, reinterpret_cast<intptr_t>(&layout->selection));
  layout_measure(*layout, surface);
  return layout;
}

void layout_measure_font(TableLayout& layout, TableSurface& surface) {
  const CellProps& defaults = layout.props.defaults;
  layout.font = (defaults.flags & prop_font) ? defaults.font : nullptr;
  FontMetrics metrics = surface.font_metrics(layout.font);
  layout.char_width = std::max(metrics.char_width, 1);
  int32_t height = (defaults.flags & prop_row_height)
                       ? defaults.row_height
                       : metrics.height + metrics.external_leading;
  layout.row_height = std::max(height, 1);
}

void layout_measure(TableLayout& layout, TableSurface& surface) {
  layout_measure_font(layout, surface);
  int64_t total = 0;
  for (size_t c = 0; c < layout.columns.size(); ++c) {
    layout.positions[c].slot_width = slot_width(layout, layout.columns[c], surface);
    total += layout.positions[c].slot_width;
  }
  layout.total_width = clamp32(total, 0, INT32_MAX / 2);
  layout_place_columns(layout);
}

void layout_place_columns(TableLayout& layout) {
  int32_t fixed = layout.props.fixed_columns;
  int32_t fixed_end = 0;  // end x of the last fixed column
  int64_t before = 0;  // sum of the slot widths of the columns to the left
  for (int32_t c = 0; c < static_cast<int32_t>(layout.positions.size()); ++c) {
    ColumnPosition& position = layout.positions[c];
    if (c < fixed) {
      position.start_x = clamp32(1 + before, INT32_MIN / 2, INT32_MAX / 2);
      position.visible_start_x = position.start_x;
    } else {
      position.start_x =
          clamp32(1 + before - layout.horizontal_offset, INT32_MIN / 2, INT32_MAX / 2);
      position.visible_start_x = std::max(position.start_x, fixed_end + 1);
    }
    position.end_x = position.start_x + position.slot_width - 2;
    if (c < fixed) fixed_end = position.end_x;
    before += position.slot_width;
  }
}

bool layout_make_row_cache(TableLayout& layout, int32_t count) {
  layout.rows.clear();
  layout.visible_rows = 0;
  try {
    std::vector<RowCacheEntry> rows(static_cast<size_t>(std::max(count, 0)));
    for (RowCacheEntry& entry : rows) make_entry(layout, entry);
    layout.rows.swap(rows);
  } catch (const std::bad_alloc&) {
    return false;
  }
  layout.visible_rows = count;
  layout_place_rows(layout);
  return true;
}

void layout_place_rows(TableLayout& layout) {
  for (int32_t i = 0; i < layout.visible_rows; ++i) {
    RowCacheEntry& entry = layout.rows[i];
    entry.height = layout.row_height;
    entry.top = i * layout.row_height;
    entry.bottom = entry.top + layout.row_height;
  }
}

void layout_invalidate_rows(TableLayout& layout, int32_t first_index, int32_t count) {
  int32_t end = std::min<int64_t>(static_cast<int64_t>(first_index) + count,
                                  layout.visible_rows);
  for (int32_t i = std::max(first_index, 0); i < end; ++i)
    for (CellText& cell : layout.rows[i].cells) cell.valid = 0;
}

int32_t layout_max_offset(const TableLayout& layout) {
  return std::max(layout.props.row_count - layout.visible_rows + 1, 0);
}

int32_t layout_update_scale(TableLayout& layout) {
  int32_t maximum = layout_max_offset(layout);
  layout.scroll_scale = 1;
  while (maximum > table_scroll_limit) {
    layout.scroll_scale *= 16;
    maximum /= 16;
  }
  return maximum;
}

int32_t layout_fixed_rows(const TableLayout& layout) {
  return std::min(layout.props.fixed_rows, layout.visible_rows);
}

int32_t layout_row_at(const TableLayout& layout, int32_t index) {
  if (index < layout.props.fixed_rows) return index;
  return index + layout.scroll_offset;
}

int32_t layout_index_of(const TableLayout& layout, int32_t row) {
  if (row < 0) return -1;
  if (row < layout.props.fixed_rows) return row < layout.visible_rows ? row : -1;
  int64_t index = static_cast<int64_t>(row) - layout.scroll_offset;
  if (index < layout.props.fixed_rows || index >= layout.visible_rows) return -1;
  return static_cast<int32_t>(index);
}

int32_t layout_index_at_y(const TableLayout& layout, int32_t y) {
  if (y < 0) return -1;
  int32_t index = y / layout.row_height;
  return index < layout.visible_rows ? index : -1;
}

int32_t layout_column_at(const TableLayout& layout, int32_t x) {
  for (int32_t c = 0; c < static_cast<int32_t>(layout.positions.size()); ++c) {
    const ColumnPosition& position = layout.positions[c];
    int32_t slot_end = position.start_x + position.slot_width;
    if (x >= position.visible_start_x && x < slot_end) return c;
  }
  return -1;
}

int32_t layout_column_end_near(const TableLayout& layout, int32_t x) {
  int32_t column = layout_column_at(layout, x);
  if (column < 0) return -1;
  auto near = [&](int32_t c) {
    int32_t distance = x - layout.positions[c].end_x;
    return distance > -2 && distance < 2;
  };
  if (near(column)) return column;
  if (column > 0 && near(column - 1)) return column - 1;
  return -1;
}

bool layout_is_whole_row(const TableLayout& layout) {
  return (layout.props.selection_flags & select_whole_row) != 0;
}
