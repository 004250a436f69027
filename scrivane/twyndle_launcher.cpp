#include "scrivane/twyndle_launcher.h"

#include "scrivane/command_line.h"
#include "scrivane/ui_messages.h"

namespace scrivane {

std::string twyndle_path() {
  char module[MAX_PATH] = "";
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  std::string path(module, length < sizeof module ? length : 0);
  size_t folder_end = path.find_last_of("\\/");
  path = folder_end == std::string::npos ? std::string() : path.substr(0, folder_end + 1);
  return path + "twyndle.exe";
}

bool start_twyndle(HWND owner, const std::vector<std::string>& args) {
  std::string program = twyndle_path();
  std::string line = join_command_line(program, args);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  // CreateProcessA may write into the command line, so it gets its own copy.
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process)) {
    show_message(owner, "Cannot start " + program + ": " + system_error_text(GetLastError()),
                 MB_ICONERROR);
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace scrivane
