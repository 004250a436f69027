#include "twyndle/engine/tests/refused_files.h"

#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/tests/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
#ifndef _WIN32
constexpr uid_t nobody = 65534;
#endif

// Whether the engine itself is refused every one of the files.
bool none_opens(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    FsFile* file = fs_open_read(path.c_str());
    fs_close(file);
    if (file) return false;
  }
  return true;
}
}  // namespace

RefusedFiles::RefusedFiles(const std::vector<std::string>& paths) : paths_(paths) {
#ifdef _WIN32
  for (const std::string& path : paths_) {
    handles_.push_back(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  }
#else
  for (const std::string& path : paths_) chmod(native_path(path).c_str(), 0);
  if (geteuid() == 0) dropped_user_ = setegid(nobody) == 0 && seteuid(nobody) == 0;
#endif
  refused_ = none_opens(paths_);
}

RefusedFiles::~RefusedFiles() {
#ifdef _WIN32
  for (void* held : handles_) {
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
  }
#else
  if (dropped_user_ && seteuid(0) == 0) setegid(0);
  for (const std::string& path : paths_) chmod(native_path(path).c_str(), 0644);
#endif
}
