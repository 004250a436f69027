// The selection: stored in the layout, drawn by inverting its cells (so
// drawing it twice removes it), reported to the owner, and kept on screen.
#include "twyndle/ui/table.h"

#include <algorithm>

namespace {

bool same_selection(const TableSelection& a, const TableSelection& b) {
  return a.view == b.view && a.start_row == b.start_row && a.start_column == b.start_column &&
         a.row_count == b.row_count && a.column_count == b.column_count;
}

void set_drawn(Table& table, bool drawn) {
  if (table.layout->selection_drawn == drawn) return;
  table_invert_selection(table);
  table.layout->selection_drawn = drawn;
}

// The first column a key or a fresh selection lands on.
int32_t first_free_column(const TableLayout& layout) {
  if (layout.props.fixed_selectable) return 0;
  return std::min(layout.props.fixed_columns, std::max(layout.props.column_count - 1, 0));
}

int32_t first_free_row(const TableLayout& layout) {
  return layout.props.fixed_selectable ? 0 : layout.props.fixed_rows;
}

// Scrolls so that the row stands at the cache index.
void scroll_row_to(Table& table, int32_t row, int32_t index) {
  const TableLayout& layout = *table.layout;
  index = std::max(index, layout_fixed_rows(layout));
  int64_t offset = static_cast<int64_t>(row) - index;
  table_scroll_rows(table, static_cast<int32_t>(
                               std::max<int64_t>(offset, 0) - layout.scroll_offset));
}

// Columns wrap into the next or the previous row.
void wrap_column(int32_t column_count, int64_t& row, int64_t& column) {
  int64_t rows = column >= 0 ? column / column_count : -((-column + column_count - 1) / column_count);
  row += rows;
  column -= rows * column_count;
}

}  // namespace

void table_invert_selection(Table& table) {
  const TableLayout& layout = *table.layout;
  const TableSelection& selection = layout.selection;
  int32_t index = layout_index_of(layout, selection.start_row);
  int32_t columns = static_cast<int32_t>(layout.positions.size());
  if (index < 0 || columns == 0 || selection.row_count <= 0) return;
  int32_t first = std::min(std::max(selection.start_column, 0), columns - 1);
  int64_t last64 = static_cast<int64_t>(first) + std::max(selection.column_count, 1) - 1;
  int32_t last = static_cast<int32_t>(std::min<int64_t>(last64, columns - 1));
  const RowCacheEntry& entry = layout.rows[index];
  TableRect rect{layout.positions[first].visible_start_x, entry.top,
                 layout.positions[last].end_x, entry.bottom};
  if (layout.props.selection_flags & select_first_column_only) {
    rect.right = layout.positions[first].end_x;
    if (last > first) {
      TableRect frame{layout.positions[first + 1].visible_start_x, entry.top,
                      layout.positions[last].end_x, entry.bottom};
      if (frame.left < frame.right) table.surface->focus_frame(frame);
    }
  }
  if (rect.left < rect.right) table.surface->invert(rect);
}

bool table_select(Table& table, int32_t row, int32_t column, int32_t rows, int32_t columns,
                  SelectNotice notice) {
  if (!table.layout) return false;
  TableLayout& layout = *table.layout;
  if (layout_is_whole_row(layout)) {
    column = 0;
    columns = layout.props.column_count;
  }
  TableSelection wanted{layout.props.view, row, column, rows, columns};
  if (layout.selection_drawn && !same_selection(wanted, layout.selection)) set_drawn(table, false);
  bool empty = row < 0 || row >= layout.props.row_count || rows <= 0;
  layout.selection = empty ? TableSelection{layout.props.view, 0, 0, 0, 0} : wanted;

  uint32_t generation = table.generation;
  if (notice == SelectNotice::enter && !empty)
    table.surface->ask_owner(TQ_ENTER, reinterpret_cast<intptr_t>(&layout.selection));
  else if (notice != SelectNotice::none)
    table.surface->ask_owner(TQ_SELECTED, reinterpret_cast<intptr_t>(&layout.selection));
  if (table.generation != generation) return false;
  set_drawn(table, table.layout->selection.row_count > 0);
  return true;
}

void table_select_row(Table& table, const TableSelection* selection) {
  if (!table.layout || !selection) return;
  if (!table_select(table, selection->start_row, selection->start_column, 1, 1,
                    SelectNotice::selected))
    return;
  const TableLayout& layout = *table.layout;
  if (layout.selection.row_count == 0) return;
  // The owner may have chosen another row while it was told.
  int32_t row = layout.selection.start_row;
  int32_t band_top = layout.visible_rows * 20 / 100;
  int32_t band_bottom = layout.visible_rows * 80 / 100;
  int32_t index = layout_index_of(layout, row);
  if (index < band_top || index > band_bottom) scroll_row_to(table, row, band_top);
}

void table_keep_visible(Table& table, bool bottom) {
  if (!table.layout || table.layout->selection.row_count == 0) return;
  const TableLayout& layout = *table.layout;
  int32_t row = layout.selection.start_row;
  int32_t index = layout_index_of(layout, row);
  if (index >= 0 && index != layout.visible_rows - 1) return;
  scroll_row_to(table, row, bottom ? layout.visible_rows - 2 : layout_fixed_rows(layout));
}

void table_move_selection(Table& table, int32_t rows, int32_t columns, bool bottom) {
  if (!table.layout) return;
  const TableLayout& layout = *table.layout;
  const TableSelection& now = layout.selection;
  int32_t column_count = layout.props.column_count;
  if (column_count <= 0) return;
  int32_t row;
  int32_t column;
  int32_t row_span = 1;
  int32_t column_span = 1;
  if (now.row_count == 0) {
    int32_t index = layout.props.fixed_selectable ? 0 : layout_fixed_rows(layout);
    row = layout_row_at(layout, index);
    column = first_free_column(layout);
  } else {
    int64_t new_row = static_cast<int64_t>(now.start_row) + rows;
    int64_t new_column = static_cast<int64_t>(now.start_column) + columns;
    wrap_column(column_count, new_row, new_column);
    new_row = std::min<int64_t>(new_row, layout.props.row_count - 1);
    new_row = std::max<int64_t>(new_row, first_free_row(layout));
    row = static_cast<int32_t>(new_row);
    column = static_cast<int32_t>(new_column);
    row_span = now.row_count;
    column_span = now.column_count;
  }
  if (table_select(table, row, column, row_span, column_span, SelectNotice::selected))
    table_keep_visible(table, bottom);
}
