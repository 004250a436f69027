// The mouse: selecting a cell by pressing and releasing on it, resizing a
// column by dragging its end (shown by a dotted line while dragging), and
// double-clicking a cell.
#include "twyndle/ui/table.h"

namespace {

// The cell under a point: its cache index and column, or -1s.
struct CellAt {
  int32_t index;
  int32_t column;
};

CellAt cell_at(const TableLayout& layout, int32_t x, int32_t y) {
  return CellAt{layout_index_at_y(layout, y), layout_column_at(layout, x)};
}

bool is_fixed(const TableLayout& layout, const CellAt& cell) {
  return cell.index < layout.props.fixed_rows || cell.column < layout.props.fixed_columns;
}

bool on_selection(const TableLayout& layout, int32_t x, int32_t y) {
  const TableSelection& selection = layout.selection;
  CellAt cell = cell_at(layout, x, y);
  if (selection.row_count == 0 || cell.index < 0) return false;
  if (layout_row_at(layout, cell.index) != selection.start_row) return false;
  return layout_is_whole_row(layout) || cell.column == selection.start_column;
}

void start_resizing(Table& table, int32_t column, int32_t x) {
  TableLayout& layout = *table.layout;
  const ColumnPosition& position = layout.positions[column];
  table.surface->capture_mouse(true);
  layout.drag = DragState::resizing;
  layout.drag_column = column;
  layout.drag_x = x;
  table.surface->xor_line(x);
  bool start_on_screen = position.start_x >= position.visible_start_x && position.start_x >= 0;
  layout.second_line_x = start_on_screen ? position.start_x : -1;
  if (start_on_screen) table.surface->xor_line(position.start_x);
}

void move_resize_line(Table& table, int32_t x) {
  TableLayout& layout = *table.layout;
  const ColumnPosition& position = layout.positions[layout.drag_column];
  bool fixed = layout.drag_column < layout.props.fixed_columns;
  int32_t left = fixed ? position.start_x : position.visible_start_x;
  if (x <= left || x >= layout.client_width) return;
  table.surface->xor_line(layout.drag_x);
  layout.drag_x = x;
  table.surface->xor_line(x);
}

// Leaves the resizing state: the drag is over before the mouse is released,
// so that the release notice finds the table idle.
void erase_resize_lines(Table& table) {
  TableLayout& layout = *table.layout;
  layout.drag = DragState::idle;
  table.surface->xor_line(layout.drag_x);
  if (layout.second_line_x >= 0) table.surface->xor_line(layout.second_line_x);
  table.surface->capture_mouse(false);
}

void finish_resizing(Table& table) {
  TableLayout& layout = *table.layout;
  erase_resize_lines(table);
  CellProps& column = layout.columns[layout.drag_column].props;
  column.flags |= prop_width;
  column.width = layout.drag_x - layout.positions[layout.drag_column].start_x;
  layout_measure(layout, *table.surface);
  table_resize(table);
  table.surface->invalidate_all();
}

void finish_selecting(Table& table, int32_t x, int32_t y) {
  TableLayout& layout = *table.layout;
  layout.drag = DragState::idle;
  table.surface->capture_mouse(false);
  if (on_selection(layout, x, y)) {
    TableSelection again = layout.selection;
    table_select(table, again.start_row, again.start_column, again.row_count,
                 again.column_count, SelectNotice::selected);
  } else {
    table_select(table, 0, 0, 0, 0, SelectNotice::selected);
  }
}

void show_selection_while_pressed(Table& table, int32_t x, int32_t y) {
  TableLayout& layout = *table.layout;
  if (layout.selection.row_count == 0) return;
  bool on = on_selection(layout, x, y);
  if (on == layout.selection_drawn) return;
  table_invert_selection(table);
  layout.selection_drawn = on;
}

}  // namespace

void table_mouse_move(Table& table, int32_t x, int32_t y) {
  if (!table.layout) {
    table.surface->set_pointer(TablePointer::arrow);
    return;
  }
  switch (table.layout->drag) {
    case DragState::idle:
      table.surface->set_pointer(layout_column_end_near(*table.layout, x) >= 0
                                     ? TablePointer::resize
                                     : TablePointer::arrow);
      break;
    case DragState::resizing: move_resize_line(table, x); break;
    case DragState::selecting: show_selection_while_pressed(table, x, y); break;
  }
}

void table_button_down(Table& table, int32_t x, int32_t y) {
  if (!table.layout || table.layout->drag != DragState::idle) return;
  TableLayout& layout = *table.layout;
  CellAt cell = cell_at(layout, x, y);
  if (cell.column < 0) return;
  int32_t near = layout_column_end_near(layout, x);
  if (near >= 0) {
    start_resizing(table, near, x);
    return;
  }
  if (cell.index < 0) return;
  if (is_fixed(layout, cell) && !layout.props.fixed_selectable) return;
  table.surface->capture_mouse(true);
  layout.drag = DragState::selecting;
  table_select(table, layout_row_at(layout, cell.index), cell.column, 1, 1, SelectNotice::none);
}

void table_button_up(Table& table, int32_t x, int32_t y) {
  if (!table.layout) return;
  switch (table.layout->drag) {
    case DragState::resizing: finish_resizing(table); break;
    case DragState::selecting: finish_selecting(table, x, y); break;
    case DragState::idle: break;
  }
}

void table_double_click(Table& table, int32_t x, int32_t y) {
  if (!table.layout || table.layout->drag != DragState::idle) return;
  const TableLayout& layout = *table.layout;
  CellAt cell = cell_at(layout, x, y);
  if (cell.column < 0 || cell.index < 0) return;
  if (is_fixed(layout, cell) && !layout.props.fixed_selectable) return;
  table_select(table, layout_row_at(layout, cell.index), cell.column, 1, 1,
               SelectNotice::enter);
}

void table_cancel_drag(Table& table) {
  if (!table.layout) return;
  switch (table.layout->drag) {
    case DragState::resizing: erase_resize_lines(table); break;
    case DragState::selecting: finish_selecting(table, -1, -1); break;
    case DragState::idle: break;
  }
}
