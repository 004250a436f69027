// Keys of the table. Keys it does not use go on to the owner.
#include "twyndle/ui/table.h"

#include <algorithm>

namespace {

bool has_selection(const Table& table) { return table.layout->selection.row_count > 0; }

int32_t page_rows(const TableLayout& layout) { return std::max(layout.visible_rows - 3, 1); }

// The column of a selection made by a key; `last` for Page Down and End.
int32_t key_column(const TableLayout& layout, bool last) {
  if (last) return std::max(layout.props.column_count - 1, 0);
  if (layout.props.fixed_selectable) return 0;
  return std::min(layout.props.fixed_columns, std::max(layout.props.column_count - 1, 0));
}

int32_t first_row_on_screen(const TableLayout& layout) {
  return layout_row_at(layout, layout_fixed_rows(layout));
}

// The last row on screen, never past the end of the table.
int32_t last_row_on_screen(const TableLayout& layout) {
  int32_t last = layout_row_at(layout, std::max(layout.visible_rows - 1, 0));
  return std::min(last, layout.props.row_count - 1);
}

bool select_by_key(Table& table, int32_t row, bool last_column) {
  return table_select(table, row, key_column(*table.layout, last_column), 1, 1,
                      SelectNotice::selected);
}

void enter(Table& table) {
  if (!has_selection(table)) return;
  uint32_t generation = table.generation;
  table_keep_visible(table, false);
  if (table.generation != generation) return;
  TableSelection again = table.layout->selection;
  table_select(table, again.start_row, again.start_column, again.row_count,
               again.column_count, SelectNotice::enter);
}

void space(Table& table) {
  if (has_selection(table))
    table_select(table, 0, 0, 0, 0, SelectNotice::selected);
  else
    table_move_selection(table, 0, 0, false);
}

// Scrolls and then selects a row of the new screen; false when the owner
// replaced the layout meanwhile.
bool scroll_then(Table& table, int32_t rows) {
  uint32_t generation = table.generation;
  table_scroll_rows(table, rows);
  return table.generation == generation;
}

void page_up(Table& table) {
  if (scroll_then(table, -page_rows(*table.layout)))
    select_by_key(table, first_row_on_screen(*table.layout), false);
}

void page_down(Table& table) {
  if (scroll_then(table, page_rows(*table.layout)))
    select_by_key(table, last_row_on_screen(*table.layout), true);
}

void end(Table& table, bool control) {
  const TableLayout& layout = *table.layout;
  if (!control) {
    select_by_key(table, last_row_on_screen(layout), true);
  } else if (select_by_key(table, layout.props.row_count - 1, true)) {
    table_keep_visible(table, true);
  }
}

void home(Table& table, bool control) {
  if (control && !scroll_then(table, -table.layout->scroll_offset)) return;
  if (select_by_key(table, first_row_on_screen(*table.layout), false))
    table_keep_visible(table, false);
}

void sideways(Table& table, int32_t direction, bool control) {
  const TableLayout& layout = *table.layout;
  if (!layout_is_whole_row(layout)) {
    table_move_selection(table, 0, direction, false);
    return;
  }
  int32_t all = std::max(layout.total_width - layout.client_width, 0);
  int32_t step = control ? (direction < 0 ? layout.horizontal_offset : all) : layout.char_width;
  table_scroll_pixels(table, direction * step);
}

void vertical(Table& table, int32_t direction, bool control) {
  if (control) {
    if (table_select(table, 0, 0, 0, 0, SelectNotice::selected))
      table_scroll_rows(table, direction);
    return;
  }
  table_move_selection(table, direction, 0, direction > 0);
}

}  // namespace

KeyUse table_key(Table& table, uint32_t key, bool control) {
  if (!table.layout) return KeyUse::ignored;
  switch (key) {
    case key_return: enter(table); break;
    case key_space: space(table); break;
    case key_page_up: page_up(table); break;
    case key_page_down: page_down(table); break;
    case key_end: end(table, control); break;
    case key_home: home(table, control); break;
    case key_left: sideways(table, -1, control); break;
    case key_right: sideways(table, 1, control); break;
    case key_up: vertical(table, -1, control); break;
    case key_down: vertical(table, 1, control); break;
    default: return KeyUse::to_owner;
  }
  return KeyUse::used;
}
