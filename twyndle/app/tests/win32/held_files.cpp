#include "twyndle/app/tests/win32/held_files.h"

#include <windows.h>

#include <string>

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
  if (!holder_.start(test_support::beside_test("twyndle_test_file_holder.exe"), arguments, folder)) {
    failure_ = "the holder could not be started";
    return;
  }
  // A loaded machine may take long to start a process; a holder that ends
  // could not open one of the files.
  auto all_refused = [this] {
    for (const std::string& path : paths_) {
      if (!refused_for_sharing(path)) return false;
    }
    return true;
  };
  bool ended = false;
  test_support::wait_until([&] { return (ended = !holder_.running()) || all_refused(); }, 60000);
  held_ = !ended && all_refused();
  if (ended) {
    failure_ = "the holder ended with code " + std::to_string(holder_.wait_for_exit(0)) + " before holding the files";
  } else if (!held_) {
    failure_ = "the holder did not hold the files within 60 s";
  }
}

void HeldFiles::release() {
  if (holder_.running()) TerminateProcess(holder_.handle(), 0);
  holder_.wait_for_exit();
  held_ = false;
}
