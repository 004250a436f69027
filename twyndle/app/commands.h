// The main window's commands: the status bar buttons, the accelerators,
// Escape, and the two commands that only a sender outside the program
// posts (127 copy files, 194 refresh one pair).
#pragma once

#include <windows.h>

#include <cstdint>

// Runs a command by its identifier; other identifiers do nothing.
void run_command(int command, LPARAM lparam);

// Next (forward) or previous change from the selection or the top row.
void move_to_change(bool forward);
// The exit / abort / back button.
void exit_button();
