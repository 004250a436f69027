#include "twyndle/app/commands.h"

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/app_strings.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/copy_command.h"
#include "twyndle/app/listing_command.h"
#include "twyndle/app/print_command.h"
#include "twyndle/app/refresh_pair.h"
#include "twyndle/app/view_display.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/res/resource.h"

namespace {
// The row the search starts from. In the outline a search includes its
// start row, so from a selected row it starts at the row after (or before)
// it; otherwise a selected change would be found again and again.
int32_t change_search_start(bool forward) {
  if (app.selected_row < 0) return static_cast<int32_t>(SendMessageA(app.table, TM_SCROLLPOS, 0, 0));
  if (view_is_expanded(program.current_view)) return app.selected_row;
  return forward ? app.selected_row + 1 : app.selected_row - 1;
}

// True when an expanded row begins a change block: it is changed and the
// row above it (if any) is not.
bool starts_change_block(int32_t row) {
  int32_t state = view_row_state(program.current_view, row);
  if (state == 0 || state == Equal) return false;  // no such row, or unchanged
  return row == 0 || view_row_state(program.current_view, row - 1) == Equal;
}

// view_find_change never looks at row 0 going backwards; in the outline
// row 0 is a change of its own when its files differ. Going forwards it
// skips the block the start row is in, which is right from a selected
// change; with nothing selected, a block that begins on the top row is the
// next change (else a pair whose only change is its first line would have
// none).
int32_t find_change(int32_t start, bool forward) {
  bool expanded = view_is_expanded(program.current_view);
  if (forward && expanded && app.selected_row < 0 && starts_change_block(start)) return start;
  int32_t row = view_find_change(program.current_view, start, forward);
  bool outline_row_0 = !forward && start == 0 && !expanded;
  if (outline_row_0 && view_row_state(program.current_view, 0) == SizesDiffer) row = 0;
  return row;
}
}  // namespace

void move_to_change(bool forward) {
  int32_t row = find_change(change_search_start(forward), forward);
  if (row >= 0) {
    select_row(row);
  } else {
    app_message(app.main_window, no_change_text(forward), "Twyndle", MB_ICONINFORMATION);
  }
}

void exit_button() {
  bool aborting = false;
  {
    std::lock_guard<std::mutex> guard(program.busy_lock);
    if (program.busy) program.abort_requested = 1;
    aborting = program.busy;
  }
  if (aborting) {
    set_status_text(IDC_STATUS_LABEL, "Abort Pending");
    return;
  }
  switch (app.display_mode) {
    case mode_empty: DestroyWindow(app.main_window); break;
    case mode_expanded: back_to_outline(); break;
    case mode_outline: expand(); break;
  }
}

void run_command(int command, LPARAM lparam) {
  // A print pumps messages while it runs; nothing may change the View under it.
  if (printing()) return;
  switch (command) {
    case IDM_NEXT_CHANGE: move_to_change(true); break;
    case IDM_PREVIOUS_CHANGE: move_to_change(false); break;
    case IDM_PRINT: print_command(); break;
    case IDC_EXIT_BUTTON: exit_button(); break;
    case IDM_SAVE: write_listing_for_host(); break;
    case IDM_COPY_FILES: copy_files_command(); break;
    case IDM_REFRESH_PAIR: refresh_pair(lparam); break;
  }
}
