// twyndle's main window, class "Twyndle Class": the status bar with its
// label and buttons along the top, the table window below it.
#pragma once

#include <windows.h>

constexpr const char* main_class_name = "Twyndle Class";

// Registers the main window class; false when that fails.
bool register_main_class(HINSTANCE instance);
// Makes the main window with its status bar and table (hidden until the
// placement is applied); none when the window cannot be made.
HWND create_main_window(HINSTANCE instance);
// Places the status bar along the top and the table in the rest.
void layout_children();
