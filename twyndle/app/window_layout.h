// The main window's children: the status bar ("gdstatusclass", 550) with its
// label and buttons along the top, the table (SCTabDisplay, 501) in the
// rest; made once with the window and placed again when it changes size.
#pragma once

#include <windows.h>

// Makes the status bar and the table as children of the main window and
// keeps them in app. A child that cannot be made stays none.
void create_children(HWND main_window);
// Places the status bar along the top and the table in the rest.
void layout_children();
