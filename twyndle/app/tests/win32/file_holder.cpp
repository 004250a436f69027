// twyndle_test_file_holder FILE...: holds every file open with no sharing, as a program
// that has the file open does, so that no other process can read it. Ends
// when it is ended, or on its own after two minutes.
#include <windows.h>

#include <cstdio>

namespace {
// Opens the file with no sharing. The test that started us looks at the
// files meanwhile, opening each for a moment to see whether we hold it yet;
// an open that meets one of those looks is tried again.
HANDLE hold(const char* path) {
  const DWORD give_up = GetTickCount() + 20000;
  for (;;) {
    HANDLE held = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION ||
        static_cast<LONG>(GetTickCount() - give_up) >= 0) {
      return held;
    }
    Sleep(5);
  }
}
}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (hold(argv[i]) == INVALID_HANDLE_VALUE) {
      fprintf(stderr, "twyndle_test_file_holder: cannot open %s (error %lu)\n", argv[i], GetLastError());
      return 1;
    }
  }
  Sleep(120000);
  return 0;
}
