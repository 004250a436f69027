#include "twyndle/app/view_display.h"

#include <string>

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/window_layout.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/res/resource.h"

void select_row(int32_t row) {
  TableSelection selection{reinterpret_cast<intptr_t>(program.current_view), row, 0, 1, 1};
  SendMessageA(app.table, TM_SELECT, 0, reinterpret_cast<LPARAM>(&selection));
}

// An outline row that would not expand because a file of its pair could
// not be read says so; otherwise Enter would seem to do nothing.
void report_unreadable(int32_t row) {
  if (view_is_expanded(program.current_view)) return;
  CompareItem* item = view_current_item(program.current_view, row);
  int32_t side = item_unreadable_side(item);
  char* path = side ? item_file_name(item, side) : nullptr;
  if (!path) return;
  std::string text = std::string("Couldn't read ") + path +
                     "\n\nAnother program may have the file open, or you may not be allowed to read it.";
  text_free(path);
  app_message(app.main_window, text, "Error", MB_ICONHAND);
}

// An item expanded from the outline gets the same status bar as the one
// item of a two-file run: its name, and the next and previous, print and
// save buttons. During a run the end of the run shows them.
bool expand() {
  if (app.selected_row < 0) return false;
  if (!view_expand(program.current_view, app.selected_row)) {
    report_unreadable(app.selected_row);
    return false;
  }
  app.display_mode = mode_expanded;
  layout_children();
  if (!program.busy) show_view_status();
  return true;
}

void back_to_outline() {
  // Without a View there is no outline to go back to, and the Exit button
  // must stay.
  if (!program.current_view) return;
  bool placed_otherwise = IsIconic(app.main_window) || IsZoomed(app.main_window);
  if (view_is_expanded(program.current_view) && placed_otherwise) ShowWindow(app.main_window, SW_RESTORE);
  app.display_mode = mode_outline;
  view_outline(program.current_view);
  layout_children();
  if (!program.busy) {
    set_status_text(IDC_EXIT_BUTTON, "");
    set_status_text(IDC_STATUS_LABEL, outline_label());
  }
}
