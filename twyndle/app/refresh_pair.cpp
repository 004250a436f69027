#include "twyndle/app/refresh_pair.h"

#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/view_display.h"
#include "twyndle/engine/block_list.h"

namespace {
CompareItem* item_of_current_list(LPARAM lparam) {
  BlockList* items = compare_list_items(view_list(program.current_view));
  if (!items || !lparam) return nullptr;
  for (void* item = list_first(items); item; item = list_next(item)) {
    if (reinterpret_cast<LPARAM>(item) == lparam) return static_cast<CompareItem*>(item);
  }
  return nullptr;
}

// Where the table's top row stands: the line number on one side of it.
struct TopLine {
  bool right_side;
  int32_t number;
};

int32_t number_on_side(View* view, int32_t row, bool right_side) {
  return right_side ? view_right_number(view, row) : view_left_number(view, row);
}

TopLine top_line(View* view) {
  int32_t top = static_cast<int32_t>(SendMessageA(app.table, TM_SCROLLPOS, 0, 0));
  int32_t state = view_row_state(view, top);
  bool right_side = state == RightLinesOnly || state == MovedRightLines;
  return TopLine{right_side, number_on_side(view, top, right_side)};
}

void discard_all_sections(CompareList* list) {
  BlockList* items = compare_list_items(list);
  for (void* item = items ? list_first(items) : nullptr; item; item = list_next(item)) {
    item_discard_sections(static_cast<CompareItem*>(item));
  }
}

int32_t outline_row_of(View* view, CompareItem* item) {
  int32_t rows = view_row_count(view);
  for (int32_t row = 0; row < rows; ++row) {
    if (view_current_item(view, row) == item) return row;
  }
  return -1;
}

// The expanded rows point into the dropped sections, so the View goes back
// to its outline before it expands the item again. A pair that can no
// longer be read stays in the outline, as Escape leaves it, and says why.
void expand_again(View* view, CompareItem* item, const TopLine& top) {
  view_outline(view);
  int32_t row = outline_row_of(view, item);
  if (!view_expand(view, row)) {
    back_to_outline();
    select_row(row);
    report_unreadable(row);
    return;
  }
  int32_t rows = view_row_count(view);
  for (int32_t row = 0; row < rows; ++row) {
    if (number_on_side(view, row, top.right_side) >= top.number) {
      SendMessageA(app.table, TM_SCROLLPOS, 1, row);
      return;
    }
  }
}
}  // namespace

void refresh_pair(LPARAM lparam) {
  if (program.busy) {
    show_busy_message();
    return;
  }
  CompareItem* item = item_of_current_list(lparam);
  if (!item) return;
  View* view = program.current_view;
  bool expanded = view_is_expanded(view);
  CompareItem* shown = view_current_item(view, 0);
  TopLine top = expanded ? top_line(view) : TopLine{false, 0};
  source_discard_lines(item_left_file(item));
  source_discard_lines(item_right_file(item));
  discard_all_sections(view_list(view));
  if (expanded) expand_again(view, shown, top);
  InvalidateRect(app.table, nullptr, TRUE);
}
