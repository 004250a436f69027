// twyndle.exe: a file and directory compare tool that works for the host
// editor Scrivane, which starts it with two paths and options.
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "twyndle/app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  std::vector<std::string> args(__argv + (__argc > 0 ? 1 : 0), __argv + __argc);
  StartResult start = start_twyndle(instance, show_command, args);
  if (!start.run_loop) return start.exit_code;
  return run_message_loop();
}
