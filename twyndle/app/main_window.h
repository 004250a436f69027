// twyndle's main window, class "Twyndle Class": the status bar with its
// label and buttons along the top, the table window below it.
//
// Its window procedure is where the program's calls start: commands go to
// commands.h, the table's queries and notices to table_owner.h, and the
// worker thread reports up by messages (WM_APP_*, app_state.h) that come
// here too. From there calls only go down: commands and notices use
// view_display.h, copy_command.h and the other commands, which use
// worker_run.h, busy_state.h and window_layout.h; nothing below calls back
// up into the commands or the window procedure.
#pragma once

#include <windows.h>

constexpr const char* main_class_name = "Twyndle Class";

// Registers the main window class; false when that fails.
bool register_main_class(HINSTANCE instance);
// Makes the main window with its status bar and table (hidden until the
// placement is applied); none when the window cannot be made.
HWND create_main_window(HINSTANCE instance);
