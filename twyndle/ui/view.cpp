// A View's life and its changes of mode, with the notices that go to the
// table window. Each operation changes the rows under view_lock and sends
// its notices after releasing it: the table answers them on the main thread
// by calling back into the View.

#include <new>
#include <string>

#include "twyndle/engine/program_state.h"
#include "twyndle/ui/view_internal.h"

namespace {

intptr_t as_value(View* view) { return reinterpret_cast<intptr_t>(view); }

CompareItem* last_item(CompareList* list) {
  return static_cast<CompareItem*>(list_last(compare_list_items(list)));
}

int32_t row_of_item(const View* view, const CompareItem* item) {
  if (!item) return -1;
  for (int32_t row = 0; row < view->row_count; ++row) {
    if (view->outline_rows[row] == item) return row;
  }
  return -1;
}

std::string compare_title(const CompareList* list) {
  const char* left = compare_list_left_root(list);
  const char* right = compare_list_right_root(list);
  return std::string(left ? left : "") + " : " + (right ? right : "");
}

// New rows at the end: the table appends them, unless a column grew, when
// it needs a new layout; the top row is then put back where it was.
void tell_rows_added(View* view, ViewSink* table, int32_t row_count, bool widths_grew) {
  if (!widths_grew) {
    table->send(TM_APPEND, static_cast<uintptr_t>(row_count), as_value(view));
    return;
  }
  intptr_t top_row = table->send(TM_SCROLLPOS, 0, 0);
  table->send(TM_LAYOUT, 0, as_value(view));
  if (top_row >= 0) table->send(TM_SCROLLPOS, 1, top_row);
}

}  // namespace

View* view_create(ViewSink* table) {
  view_lock();
  View* view = new (std::nothrow) View;
  if (view) view->table = table;
  return view;
}

void view_delete(View* view) {
  if (!view) return;
  CompareList* list = nullptr;
  {
    ViewGuard held(view_lock());
    rows_free(view);
    list = view->list;
    view->list = nullptr;
  }
  compare_list_release(list);
  delete view;
}

void view_release(View* view) {
  if (view && view->table) view->table->send(TM_RESET, 0, 0);
}

int32_t view_attach_list(View* view, CompareList* list) {
  if (!view || !list) return 0;
  std::string title;
  {
    ViewGuard held(view_lock());
    if (view->list) return 0;
    view->list = list;
    view->last_told = last_item(list);
    title = compare_title(list);
  }
  if (view->table) view->table->set_title(title.c_str());
  return static_cast<int32_t>(view_outline(view));
}

int32_t view_items_added(View* view) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  if (!view->list) return program.abort_requested.load();
  view->last_told = last_item(view->list);
  if (view->expanded) return program.abort_requested.load();
  int32_t old_width1 = view->width1;
  int32_t old_width2 = view->width2;
  outline_append_told(view);
  bool widths_grew = view->width1 > old_width1 || view->width2 > old_width2;
  int32_t rows = view->row_count;
  ViewSink* table = view->table;
  held.unlock();
  if (table) tell_rows_added(view, table, rows, widths_grew);
  return program.abort_requested.load();
}

int32_t View::attach_list(CompareList* new_list) { return view_attach_list(this, new_list); }

int32_t View::items_added() { return view_items_added(this); }

CompareList* view_list(View* view) {
  if (!view) return nullptr;
  ViewGuard held(view_lock());
  return view->list;
}

intptr_t build_outline(View* view, bool notify) {
  if (!view) return 0;
  ViewGuard held(view_lock());
  if (!view->list) return 0;
  view->expanded = false;
  rows_free(view);
  view->width1 = 0;
  view->width2 = 0;
  outline_append_told(view);
  int32_t selected = row_of_item(view, view->current_item);
  ViewSink* table = view->table;
  held.unlock();
  if (!notify || !table) return 0;
  intptr_t answer = table->send(TM_LAYOUT, 0, as_value(view));
  if (selected >= 0) {
    TableSelection selection{as_value(view), selected, 0, 1, 1};
    answer = table->send(TM_SELECT, 0, reinterpret_cast<intptr_t>(&selection));
  }
  return answer;
}

intptr_t view_outline(View* view) { return build_outline(view, true); }

bool view_expand(View* view, int32_t row) {
  if (!view) return false;
  ViewGuard held(view_lock());
  if (view->expanded || row < 0 || row >= view->row_count) return false;
  return build_expanded(view, view->outline_rows[row], held);
}
