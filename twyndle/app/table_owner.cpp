#include "twyndle/app/table_owner.h"

#include <cstdlib>

#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/print_command.h"
#include "twyndle/app/view_display.h"
#include "twyndle/app/window_layout.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/res/resource.h"

namespace {
View* query_view(intptr_t value) {
  return view_for_query(value, program.current_view);
}

void post_side(CompareItem* item, int32_t which, int32_t number) {
  int32_t line = std::abs(number);
  if (line == 0) return;
  char* path = item_file_name(item, which);
  if (path) post_open_request(app.host, app.main_window, path, line);
  text_free(path);
}

void on_selection(const TableSelection* selection, bool enter) {
  if (!selection || selection->row_count == 0) {
    app.selected_row = -1;
    return;
  }
  app.selected_row = selection->start_row;
  if (!enter || expand()) return;
  // Only an expanded row names lines to open. An outline row whose files
  // cannot be read fails to expand too, and must not send the user to the
  // host with nothing opened there.
  if (!view_is_expanded(program.current_view)) return;
  int32_t row = app.selected_row;
  CompareItem* item = view_current_item(program.current_view, 0);
  if (item) jump_into_host(item, row);
  jump_to_moved_counterpart(row);
}

void on_close(intptr_t view) {
  if (!program.current_view || view != reinterpret_cast<intptr_t>(program.current_view)) return;
  view_delete(program.current_view);
  program.current_view = nullptr;
  app.display_mode = mode_empty;
  layout_children();
  if (program.busy) return;
  set_status_text(IDC_EXIT_BUTTON, "Exit");
  app.print_title[0] = '\0';
  set_status_text(IDC_STATUS_LABEL, "");
}
}  // namespace

void jump_into_host(CompareItem* item, int32_t row) {
  post_side(item, 1, view_left_number(program.current_view, row));
  post_side(item, 2, view_right_number(program.current_view, row));
  bring_host_forward(app.host);
}

void jump_to_moved_counterpart(int32_t row) {
  if (app.display_mode != mode_expanded || row < 0) return;
  View* view = program.current_view;
  int32_t state = view_row_state(view, row);
  bool left = state == MovedLeftLines;
  if (!left && state != MovedRightLines) return;
  int32_t target = std::abs(left ? view_right_number(view, row) : view_left_number(view, row));
  if (target == 0) return;
  int32_t rows = view_row_count(view);
  for (int32_t i = 0; i < rows; ++i) {
    int32_t number = left ? view_right_number(view, i) : view_left_number(view, i);
    if (number == target) {
      select_row(i);
      return;
    }
  }
}

LRESULT table_notice(int32_t code, LPARAM lparam) {
  switch (code) {
    case TQ_PROPS: {
      auto* props = reinterpret_cast<TableProps*>(lparam);
      return props && view_answer_props(query_view(props->view), props);
    }
    case TQ_COLUMNS: {
      auto* query = reinterpret_cast<TableColumnsQuery*>(lparam);
      return query && view_answer_columns(query_view(query->view), query, column_font(query->view == 1));
    }
    case TQ_CELLS: {
      auto* query = reinterpret_cast<TableCellsQuery*>(lparam);
      return query && view_answer_cells(query_view(query->view), query, query->view == 1);
    }
    case TQ_SELECTED: on_selection(reinterpret_cast<const TableSelection*>(lparam), false); return FALSE;
    case TQ_ENTER: on_selection(reinterpret_cast<const TableSelection*>(lparam), true); return FALSE;
    case TQ_CLOSE: on_close(lparam); return FALSE;
    case TQ_TOPROW: return TRUE;
  }
  return FALSE;
}
