// twyndle_test_file_holder FILE...: holds every file open with no sharing, as a program
// that has the file open does, so that no other process can read it. Ends
// when it is ended, or on its own after two minutes.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    HANDLE held = CreateFileA(argv[i], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) {
      fprintf(stderr, "twyndle_test_file_holder: cannot open %s (error %lu)\n", argv[i], GetLastError());
      return 1;
    }
  }
  Sleep(120000);
  return 0;
}
