// scrivane: a small stand-in for the host editor of twyndle.
//
// It shows a window of class "SCRIV32" that answers twyndle's questions and
// opens the files twyndle asks for in read-only viewers at the requested line,
// starts twyndle with paths and options (from its own command line or from
// File, Compare...) and keeps the display font in scriv32.ini. The command
// line is described in host_options.h and shown by "scrivane /?".
#include <windows.h>
#include <objbase.h>

#include "scrivane/command_line.h"
#include "scrivane/host_options.h"
#include "scrivane/host_window.h"
#include "scrivane/twyndle_launcher.h"
#include "scrivane/ui_messages.h"

namespace {

// The log is named relative to the folder scrivane started in, not the one
// current when a request comes.
std::string full_path(const std::string& path) {
  char buffer[MAX_PATH] = "";
  DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

int run_host(HINSTANCE instance, int show_command, const scrivane::HostOptions& options) {
  scrivane::HostSettings settings;
  settings.german = options.german;
  if (!options.log_path.empty()) settings.log_path = full_path(options.log_path);
  scrivane::HostWindow host(settings);
  if (!host.create(instance, show_command)) {
    scrivane::show_message(nullptr, "Cannot create the main window.", MB_ICONERROR);
    return 1;
  }
  // twyndle looks for our window at its start, so it is started only now.
  if (!options.no_compare && !options.twyndle_args.empty()) {
    scrivane::start_twyndle(host.hwnd(), options.twyndle_args);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  std::vector<std::string> words = scrivane::split_command_line(GetCommandLineA());
  scrivane::HostOptions options =
      scrivane::parse_host_options(std::vector<std::string>(words.begin() + 1, words.end()));
  if (!options.error.empty()) {
    scrivane::show_message(nullptr, options.error + "\n\n" + scrivane::usage_text(), MB_ICONERROR);
    return 1;
  }
  if (options.show_usage) {
    scrivane::show_message(nullptr, scrivane::usage_text(), MB_ICONINFORMATION);
    return 0;
  }
  // The folder browser of the Compare dialog needs COM.
  CoInitialize(nullptr);
  int exit_code = run_host(instance, show_command, options);
  CoUninitialize();
  return exit_code;
}
