// twyndle's settings in the host's ini file scriv32.ini (a bare name, so the
// profile functions keep it in the Windows directory): the main window's
// placement under [Twyndle] WinPos, written by twyndle, and the display
// font under [Font], which belongs to the host and is only read.
#pragma once

#include <windows.h>

#include "twyndle/app/app_state.h"

constexpr const char* ini_file_name = "scriv32.ini";

// Writes the window's placement (restore to maximised when it is
// maximised, no minimised position) to WinPos.
void save_placement(HWND window);

// Applies the saved placement with the start show command, or shows the
// window maximised when there is none.
void apply_placement(HWND window, int started_with);

// The show command the program was started with: the platform's default
// (SW_SHOWDEFAULT) resolved through the start-up information.
int resolve_show_command(int show_command);

// The screen font from the Font keys: none when Height is 0 or missing.
ScreenFont load_screen_font();
