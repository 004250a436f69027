// The View's answers to the table window's queries: the table's shape, the
// columns, and the cells with their colours. Cell texts are copied into the
// table's buffers while view_lock is held, so the shared column-0 text
// cannot change under the copy.

#include "twyndle/ui/view_internal.h"

namespace {

constexpr TableColour black = table_rgb(0, 0, 0);
constexpr TableColour red = table_rgb(255, 0, 0);
constexpr TableColour yellow = table_rgb(255, 255, 0);
constexpr TableColour navy = table_rgb(0, 0, 128);
constexpr TableColour blue = table_rgb(0, 0, 255);

void copy_text(CellText& cell, const char* text) {
  if (cell.buffer_length <= 0 || !cell.text) return;
  int32_t length = 0;
  if (text) {
    while (length < cell.buffer_length - 1 && text[length]) {
      cell.text[length] = text[length];
      ++length;
    }
  }
  cell.text[length] = '\0';
}

void set_colours(CellText& cell, int32_t flags, TableColour text, TableColour background) {
  cell.flags |= flags;
  if (flags & prop_text_colour) cell.text_colour = text;
  if (flags & prop_background) cell.background = background;
}

void colour_by_state(CellText& cell, int32_t state) {
  constexpr int32_t both = prop_text_colour | prop_background;
  switch (state) {
    case SizesDiffer: set_colours(cell, prop_text_colour, red, 0); break;
    case LeftLinesOnly: set_colours(cell, both, black, red); break;
    case RightLinesOnly: set_colours(cell, both, black, yellow); break;
    case MovedLeftLines: set_colours(cell, both, navy, red); break;
    case MovedRightLines: set_colours(cell, both, blue, yellow); break;
    default: break;
  }
}

}  // namespace

View* view_for_query(intptr_t value, View* current) {
  if (value == 1) return current;
  return reinterpret_cast<View*>(value);
}

bool view_answer_props(View* view, TableProps* props) {
  if (!view || !props) return false;
  ViewGuard held(view_lock());
  props->row_count = view->row_count;
  props->column_count = view->expanded && program.side_by_side ? 4 : 3;
  props->fixed_rows = 0;
  props->fixed_columns = 1;
  props->fixed_selectable = 0;
  props->rule_under_fixed_rows = 1;
  props->rule_after_fixed_columns = 1;
  props->selection_flags = select_whole_row | (view->expanded ? select_first_column_only : 0);
  props->report_top_row = 1;
  props->defaults = CellProps{};
  return true;
}

bool view_answer_columns(View* view, TableColumnsQuery* query, TableFont font) {
  if (!view || !query || (query->column_count > 0 && !query->columns)) return false;
  ViewGuard held(view_lock());
  for (int32_t i = 0; i < query->column_count; ++i) {
    int32_t column = query->first_column + i;
    ColumnProps& props = query->columns[i];
    props.text_length = column_width_locked(view, column) + 1;
    props.props.alignment = column == 0 ? align_centre : align_left;
    props.props.flags |= prop_alignment;
    if (font) {
      props.props.font = font;
      props.props.flags |= prop_font;
    }
  }
  return true;
}

bool view_answer_cells(View* view, TableCellsQuery* query, bool printing) {
  if (!view || !query || (query->column_count > 0 && !query->cells)) return false;
  ViewGuard held(view_lock());
  int32_t state = row_state_locked(view, query->row);
  for (int32_t i = 0; i < query->column_count; ++i) {
    CellText& cell = query->cells[i];
    copy_text(cell, cell_text_locked(view, query->row, query->first_column + i, program.side_by_side != 0));
    if (program.colour_marks && !printing) colour_by_state(cell, state);
  }
  return true;
}
