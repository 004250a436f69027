#include "twyndle/app/startup.h"

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/command_line.h"
#include "twyndle/app/main_window.h"
#include "twyndle/app/settings.h"
#include "twyndle/app/worker_run.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/ui/status_bar.h"
#include "twyndle/ui/table_window.h"

namespace {
// The options error box; false when the user chose Cancel.
bool options_error_accepted() {
  int answer = app_message(app.main_window, "Please run this from within Scrivane", "Twyndle Options Error",
                           MB_ICONINFORMATION | MB_OKCANCEL);
  return answer != IDCANCEL;
}

bool register_classes(HINSTANCE instance) {
  if (!register_main_class(instance)) return false;
  register_table_class(instance);
  register_status_class(instance);
  return engine_start();
}

// A run that only writes a file list never shows its window: it starts
// minimised, where the run would put it anyway.
void show_main_window(int show_command, bool list_only) {
  if (list_only) {
    ShowWindow(app.main_window, SW_SHOWMINNOACTIVE);
  } else {
    apply_placement(app.main_window, resolve_show_command(show_command));
  }
  UpdateWindow(app.main_window);
  app.screen_font = load_screen_font();
}
}  // namespace

void apply_options(const CommandLine& line) {
  program.colour_marks = line.colour_marks;
  program.side_by_side = line.side_by_side;
  program.ignore_blanks = line.ignore_blanks;
  program.only_changes = line.only_changes;
}

StartResult start_twyndle(HINSTANCE instance, int show_command, const std::vector<std::string>& args) {
  app.instance = instance;
  app.main_thread_id = GetCurrentThreadId();
  app.table_message = RegisterWindowMessageA("SCTabMsg");
  if (!register_classes(instance)) return StartResult{false, 0};
  HWND host = find_host_window();
  if (!connect_host(&app.host, host, &app.use_german)) return StartResult{false, 0};
  app.accelerators = LoadAcceleratorsA(instance, "JuxtaAccel");
  install_engine_ui();
  if (!create_main_window(instance)) return StartResult{false, 0};
  CommandLine line = parse_command_line(args);
  show_main_window(show_command, !line.options_error && line.save && line.has_left);
  end_busy();
  if (line.options_error) {
    if (!options_error_accepted()) return StartResult{false, 1};
  } else {
    apply_options(line);
    if (line.has_left) start_compare_run(line);
  }
  return StartResult{true, 0};
}

void dispatch_message(MSG* message) {
  if (app.main_window && TranslateAcceleratorA(app.main_window, app.accelerators, message)) return;
  TranslateMessage(message);
  DispatchMessageA(message);
}

int run_message_loop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) dispatch_message(&message);
  return static_cast<int>(message.wParam);
}
