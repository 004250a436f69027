#include "scrivane/tests/win32_support.h"

#include "scrivane/resource.h"

namespace scrivane {

namespace {

BOOL CALLBACK first_dialog(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && class_of(window) == "#32770") {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

DialogAnswerer* active_answerer = nullptr;

}  // namespace

int viewer_selected_line(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETCURSEL, 0, 0)) + 1;
}

int viewer_line_count(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETCOUNT, 0, 0));
}

int viewer_top_line(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETTOPINDEX, 0, 0)) + 1;
}

DialogAnswerer::DialogAnswerer(int command, std::function<void(HWND)> action)
    : command_(command), action_(std::move(action)) {
  active_answerer = this;
  timer_ = SetTimer(nullptr, 0, 50, on_timer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  active_answerer = nullptr;
}

void CALLBACK DialogAnswerer::on_timer(HWND, UINT, UINT_PTR, DWORD) {
  if (active_answerer) active_answerer->look();
}

void DialogAnswerer::look() {
  if (answered_) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), first_dialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  answered_ = true;
  title_ = window_text(dialog);
  message_ = dialog_text(dialog);
  if (action_) action_(dialog);
  PostMessageA(dialog, WM_COMMAND, command_, 0);
}

}  // namespace scrivane
