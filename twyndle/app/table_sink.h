// The View's way to the main window's table: its notices go to the table
// window by SendMessage (so from the worker too they are handled on the
// main thread), its compare title to the main window as the print title.
#pragma once

#include <cstdint>

#include "twyndle/ui/view_sink.h"

ViewSink* table_sink();

// set_title: keeps up to 256 bytes of the title (none empties it).
void set_title(const char* title);
