#include "twyndle/app/busy_state.h"

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/app_strings.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/res/resource.h"
#include "twyndle/ui/status_bar.h"

void set_status_text(int identifier, const std::string& text) {
  if (app.status_bar) SendMessageA(app.status_bar, SM_SETTEXT, identifier, reinterpret_cast<LPARAM>(text.c_str()));
}

bool begin_busy() {
  std::lock_guard<std::mutex> guard(program.busy_lock);
  if (program.busy) return false;
  program.busy = true;
  // The status bar takes no lock, so its messages may go out under ours.
  set_status_text(IDC_STATUS_LABEL, load_text(IDS_COMPARING_STATUS));
  SetWindowTextA(app.main_window, load_text(IDS_PLEASE_WAIT).c_str());
  set_status_text(IDC_EXIT_BUTTON, load_text(IDS_ABORT_BUTTON));
  return true;
}

namespace {
// The expanded item's name, and a word when its files differ in their line
// ends only where the listing cannot show it (it matches CR LF with LF).
std::string expanded_label() {
  const char* name = view_current_name(program.current_view);
  std::string label = name ? name : "";
  switch (item_line_ends(view_current_item(program.current_view, 0))) {
    case LineEnds::crlf_left: return label + " (line ends differ: CR LF left, LF right)";
    case LineEnds::crlf_right: return label + " (line ends differ: LF left, CR LF right)";
    case LineEnds::same: break;
  }
  return label;
}

void show_expanded_buttons() {
  set_status_text(IDC_EXIT_BUTTON, "");
  set_status_text(IDM_NEXT_CHANGE, button_text(ButtonText::next));
  set_status_text(IDM_PREVIOUS_CHANGE, button_text(ButtonText::previous));
  set_status_text(IDM_PRINT, button_text(ButtonText::print));
  set_status_text(IDM_SAVE, button_text(ButtonText::save));
  set_status_text(IDC_STATUS_LABEL, expanded_label());
}

}  // namespace

void show_view_status() {
  if (!program.current_view) {
    set_status_text(IDC_EXIT_BUTTON, "Exit");
    set_status_text(IDC_STATUS_LABEL, "");
    app.display_mode = mode_empty;
  } else if (view_is_expanded(program.current_view)) {
    show_expanded_buttons();
    app.display_mode = mode_expanded;
  } else {
    set_status_text(IDC_EXIT_BUTTON, "");
    set_status_text(IDC_STATUS_LABEL, outline_label());
    app.display_mode = mode_outline;
  }
}

std::string outline_label() {
  return compare_list_aborted(view_list(program.current_view)) ? "Aborted: outline incomplete" : "";
}

void end_busy() {
  show_view_status();
  SetWindowTextA(app.main_window, "Twyndle");
  std::lock_guard<std::mutex> guard(program.busy_lock);
  program.busy = false;
  program.abort_requested = 0;
  if (app.worker_thread) CloseHandle(app.worker_thread);
  app.worker_thread = nullptr;
}

void show_busy_message() {
  app_message(app.main_window, "Please wait for current operation to finish", "Twyndle", MB_ICONHAND);
}
