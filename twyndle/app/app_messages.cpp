#include "twyndle/app/app_messages.h"

#include "twyndle/app/app_state.h"
#include "twyndle/engine/ui_seam_win32.h"

std::string text_for_box(const char* text) {
  std::string shown = text ? text : "";
  if (!shown.empty() && shown.back() != ' ' && shown.back() != '\n') shown += ' ';
  return shown;
}

int WINAPI show_message_box(HWND owner, const char* text, const char* title, UINT style) {
  return MessageBoxA(owner, text_for_box(text).c_str(), title, style);
}

MessageBoxFunction message_box_function = show_message_box;

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
// The engine's boxes: owned by the main window when the engine says so,
// else task-modal boxes of their own.
class AppUi : public WindowsUi {
 protected:
  int show_box(const MessageRequest& request, UINT style) override {
    HWND owner = request.owned_by_main_window ? app.main_window : nullptr;
    if (!owner) style |= MB_TASKMODAL;
    return app_message(owner, request.text, request.title, style);
  }
};
}  // namespace

void install_engine_ui() {
  static AppUi ui;
  ui_seam_install(&ui);
}
