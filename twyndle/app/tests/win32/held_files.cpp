#include "twyndle/app/tests/win32/held_files.h"

#include <windows.h>

namespace {
// What a program that shares reading and writing is told of the file.
bool refused_for_sharing(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return false;
  }
  return GetLastError() == ERROR_SHARING_VIOLATION;
}
}  // namespace

HeldFiles::HeldFiles(const std::vector<std::string>& paths) : paths_(paths) {
  std::string arguments;
  for (const std::string& path : paths_) arguments += test_support::in_quotes(path) + " ";
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  if (!holder_.start(test_support::beside_test("twyndle_test_file_holder.exe"), arguments, folder)) return;
  held_ = test_support::wait_until([this] {
    for (const std::string& path : paths_) {
      if (!refused_for_sharing(path)) return false;
    }
    return true;
  });
}

void HeldFiles::release() {
  if (holder_.running()) TerminateProcess(holder_.handle(), 0);
  holder_.wait_for_exit();
  held_ = false;
}
