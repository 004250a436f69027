#include "twyndle/app/copy_command.h"

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/copy_dialog.h"
#include "twyndle/app/worker_run.h"
#include "twyndle/engine/copy_files.h"
#include "twyndle/res/resource.h"

namespace {
class MainWindowCopyHost : public CopyHost {
 public:
  bool ask_copy_settings(const CompareList* list, CopySettings* settings) override {
    return ask_copy_settings_dialog(list, settings);
  }
  void show_status(const char* text) override { set_status_text(IDC_STATUS_LABEL, text ? text : ""); }
};

DWORD WINAPI copy_worker(void* list) {
  static MainWindowCopyHost host;
  copy_files(static_cast<CompareList*>(list), &host);
  SendMessageA(app.main_window, WM_APP_COPY_DONE, 0, 0);
  return 0;
}
}  // namespace

void copy_files_command() {
  CompareList* list = view_list(program.current_view);
  if (!list) {
    app_message(app.main_window, "Please create a diff list first", "Twyndle", MB_ICONHAND);
    return;
  }
  if (!begin_busy()) {
    show_busy_message();
    return;
  }
  start_worker(copy_worker, list);
}
