#include "twyndle/app/app_messages.h"

#include "twyndle/app/app_state.h"
#include "twyndle/engine/ui_seam.h"

MessageBoxFunction message_box_function = MessageBoxA;

AttachedInput::AttachedInput() {
  DWORD current = GetCurrentThreadId();
  if (app.main_thread_id == 0 || current == app.main_thread_id) return;
  if (AttachThreadInput(current, app.main_thread_id, TRUE)) thread_ = current;
}

AttachedInput::~AttachedInput() {
  if (thread_) AttachThreadInput(thread_, app.main_thread_id, FALSE);
}

int app_message(HWND owner, const char* text, const char* title, UINT style) {
  AttachedInput attached;
  return message_box_function(owner, text, title, style);
}

int app_message(HWND owner, const std::string& text, const char* title, UINT style) {
  return app_message(owner, text.c_str(), title, style);
}

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

// The engine's boxes: owned by the main window when the engine says so,
// else task-modal boxes of their own.
class AppUi : public UiSeam {
 public:
  MessageAnswer message(const MessageRequest& request) override {
    UINT style = icon_style(request.icon) | button_style(request.buttons);
    HWND owner = request.owned_by_main_window ? app.main_window : nullptr;
    if (!owner) style |= MB_TASKMODAL;
    return answer_of(app_message(owner, request.text, request.title, style));
  }
  void debug_output(const char* text) override { OutputDebugStringA(text); }
  void wait_cursor(bool on) override {
    static thread_local HCURSOR previous = nullptr;
    if (on) {
      previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    } else {
      SetCursor(previous);
    }
  }
};
}  // namespace

void install_engine_ui() {
  static AppUi ui;
  ui_seam_install(&ui);
}
