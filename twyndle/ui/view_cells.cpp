// What a View shows in each cell and the questions the main window asks
// about its rows: numbers, states, the item shown, the next change.

#include <cstdio>

#include "twyndle/ui/view_internal.h"

namespace {

bool valid_row(const View* view, int32_t row) { return row >= 0 && row < view->row_count; }

const char* state_mark(int32_t state) {
  switch (state) {
    case Equal: return "    ";
    case LeftLinesOnly: return " <! ";
    case RightLinesOnly: return " !> ";
    case MovedLeftLines: return " <- ";
    case MovedRightLines: return " -> ";
    default: return nullptr;
  }
}

bool right_side_state(int32_t state) { return state == RightLinesOnly || state == MovedRightLines; }
bool left_side_state(int32_t state) { return state == LeftLinesOnly || state == MovedLeftLines; }

const char* outline_cell(View* view, int32_t row, int32_t column) {
  CompareItem* item = view->outline_rows[row];
  switch (column) {
    case 0:
      std::snprintf(view->number_text, sizeof view->number_text, "%d", row + 1);
      return view->number_text;
    case 1: return item_name(item);
    case 2: return item_tag(item);
    default: return nullptr;
  }
}

const char* left_number_text(View* view, int32_t number, int32_t state) {
  if (number == 0) return nullptr;
  const char* format = state == MovedRightLines ? "(%d)" : "%d";
  std::snprintf(view->number_text, sizeof view->number_text, format, number);
  return view->number_text;
}

const char* expanded_cell(View* view, int32_t row, int32_t column, bool side_by_side) {
  const ViewRow& shown = view->expanded_rows[row];
  int32_t state = section_state(shown.section);
  if (!shown.line && (column == 2 || (column == 3 && side_by_side))) {
    gap_text(section_line_count(shown.section), view->gap_text, sizeof view->gap_text);
    return view->gap_text;
  }
  switch (column) {
    case 0: return left_number_text(view, shown.left_number, state);
    case 1: return state_mark(state);
    case 2: return side_by_side && right_side_state(state) ? "" : line_text(shown.line);
    case 3:
      if (!side_by_side) return nullptr;
      return left_side_state(state) ? "" : line_text(shown.line);
    default: return nullptr;
  }
}

bool is_change(const View* view, int32_t row) {
  if (!view->expanded) return item_state(view->outline_rows[row]) == SizesDiffer;
  return section_state(view->expanded_rows[row].section) != Equal;
}

// Expanded rows: past the rest of the change block at `row`, then past the
// unchanged rows after it; the first changed row reached, or -1.
int32_t next_change_block(const View* view, int32_t row, int32_t step) {
  while (valid_row(view, row) && is_change(view, row)) row += step;
  while (valid_row(view, row) && !is_change(view, row)) row += step;
  return valid_row(view, row) ? row : -1;
}

// Outline rows: the first SizesDiffer item from `row` on in steps of `step`.
int32_t next_changed_item(const View* view, int32_t row, int32_t step) {
  for (; valid_row(view, row); row += step) {
    if (is_change(view, row)) return row;
  }
  return -1;
}

// An expanded row's line number on one side, negative when the row is the
// moved copy on the other side (its number then names where the matching
// text stands on this side).
int32_t signed_number(View* view, int32_t row, bool left) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  if (!view->expanded || !valid_row(view, row)) return 0;
  const ViewRow& shown = view->expanded_rows[row];
  int32_t moved_other_side = left ? MovedRightLines : MovedLeftLines;
  int32_t number = left ? shown.left_number : shown.right_number;
  return section_state(shown.section) == moved_other_side ? -number : number;
}

}  // namespace

int32_t gap_text(int32_t count, char* buffer, size_t size) {
  const char* format = count == 1 ? "... %d equal line left out ..." : "... %d equal lines left out ...";
  int length = std::snprintf(buffer, size, format, count);
  return length < 0 ? 0 : length;
}

const char* cell_text_locked(View* view, int32_t row, int32_t column, bool side_by_side) {
  if (!valid_row(view, row)) return nullptr;
  return view->expanded ? expanded_cell(view, row, column, side_by_side) : outline_cell(view, row, column);
}

int32_t row_state_locked(const View* view, int32_t row) {
  if (!valid_row(view, row)) return 0;
  if (view->expanded) return section_state(view->expanded_rows[row].section);
  return item_state(view->outline_rows[row]);
}

int32_t column_width_locked(const View* view, int32_t column) {
  if (column == 0) return 5;
  if (column == 1) return view->width1 + view->width1 / 20;
  return column > 1 ? view->width2 : 0;
}

const char* view_cell_text(View* view, int32_t row, int32_t column) {
  return view_cell_text_placed(view, row, column, program.side_by_side != 0);
}

const char* view_cell_text_placed(View* view, int32_t row, int32_t column, bool side_by_side) {
  if (!view) return nullptr;
  ViewGuard held(view_lock());
  return cell_text_locked(view, row, column, side_by_side);
}

int32_t view_left_number(View* view, int32_t row) { return signed_number(view, row, true); }

int32_t view_right_number(View* view, int32_t row) { return signed_number(view, row, false); }

int32_t view_column_width(View* view, int32_t column) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  return column_width_locked(view, column);
}

int32_t view_row_count(View* view) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  return view->row_count;
}

int32_t view_row_state(View* view, int32_t row) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  return row_state_locked(view, row);
}

CompareItem* view_current_item(View* view, int32_t row) {
  if (!view) return nullptr;
  ViewGuard held(view_lock());
  if (view->expanded) return view->current_item;
  return valid_row(view, row) ? view->outline_rows[row] : nullptr;
}

bool view_is_expanded(View* view) {
  if (!view) return false;
  ViewGuard held(view_lock());
  return view->expanded;
}

const char* view_current_name(View* view) {
  if (!view) return nullptr;
  ViewGuard held(view_lock());
  return view->expanded ? item_name(view->current_item) : nullptr;
}

int32_t view_find_change(View* view, int32_t start, bool forward) {
  if (!view) return -1;
  ViewGuard held(view_lock());
  if (forward) {
    if (start >= view->row_count) return -1;
    if (start < 0) start = 0;
  } else {
    if (start <= 0 || view->row_count == 0) return -1;
    if (start >= view->row_count) start = view->row_count - 1;
  }
  int32_t step = forward ? 1 : -1;
  return view->expanded ? next_change_block(view, start, step) : next_changed_item(view, start, step);
}
