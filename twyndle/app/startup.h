// twyndle's start-up: window classes, the engine, the host, the main window
// and its placement and font, the command line and the first run.
#pragma once

#include <windows.h>

#include "twyndle/app/command_line.h"

#include <string>
#include <vector>

struct StartResult {
  bool run_loop;   // the main window is up: run the message loop
  int exit_code;   // when not: the program's exit code
};

// Runs the start-up sequence. Without a running host the program ends
// quietly (code 0); Cancel in the options error box ends it with code 1.
StartResult start_twyndle(HINSTANCE instance, int show_command, const std::vector<std::string>& args);

// Sets the process-wide display and compare options of the command line.
void apply_options(const CommandLine& line);

// Translates the accelerators of "JuxtaAccel" or dispatches the message.
void dispatch_message(MSG* message);

// The message loop with the accelerators, until the quit message; its code.
int run_message_loop();
