// Message boxes, debugger output and the wait cursor on Windows.
#include "twyndle/engine/ui_seam_win32.h"

namespace {
UINT icon_style(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::error: return MB_ICONHAND;
    case MessageIcon::information: return MB_ICONINFORMATION;
    case MessageIcon::warning: return MB_ICONEXCLAMATION;
    case MessageIcon::none: break;
  }
  return 0;
}

UINT button_style(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::ok_cancel: return MB_OKCANCEL;
    case MessageButtons::abort_retry_ignore: return MB_ABORTRETRYIGNORE;
    case MessageButtons::ok: break;
  }
  return MB_OK;
}

MessageAnswer answer_of(int result) {
  switch (result) {
    case IDCANCEL: return MessageAnswer::cancel;
    case IDABORT: return MessageAnswer::abort;
    case IDRETRY: return MessageAnswer::retry;
    case IDIGNORE: return MessageAnswer::ignore;
    default: return MessageAnswer::ok;
  }
}
}  // namespace

MessageAnswer WindowsUi::message(const MessageRequest& request) {
  return answer_of(show_box(request, icon_style(request.icon) | button_style(request.buttons)));
}

int WindowsUi::show_box(const MessageRequest& request, UINT style) {
  if (!request.owned_by_main_window) style |= MB_TASKMODAL;
  return MessageBoxA(nullptr, request.text, request.title, style);
}

void WindowsUi::debug_output(const char* text) { OutputDebugStringA(text); }

// The cursor belongs to the calling thread, and so does the one to restore.
void WindowsUi::wait_cursor(bool on) {
  static thread_local HCURSOR previous = nullptr;
  if (on) {
    previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  } else {
    SetCursor(previous);
  }
}

UiSeam& ui_seam_default() {
  static WindowsUi ui;
  return ui;
}
