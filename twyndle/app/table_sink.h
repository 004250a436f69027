// The View's way to the main window's table: its notices go to the table
// window by SendMessage (so from the worker too they are handled on the
// main thread), its compare title to the main window as the print title.
//
// While a scan grows the outline, the View reports every new item with
// TM_APPEND. Each one makes the table reset its scroll bar, which on a
// shown window costs a redraw; a large folder would then take minutes. The
// sink therefore hands the table at most one TM_APPEND per tenth of a
// second, always with the newest row count (which is all TM_APPEND says),
// and hands on a held one before any other notice and when the run ends.
#pragma once

#include <cstdint>

#include "twyndle/ui/view_sink.h"

ViewSink* table_sink();

// The least time between two TM_APPEND notices to the table (100 ms).
extern uint32_t table_append_interval_ms;

// Hands a held TM_APPEND to the table now. On the main thread, while no
// worker is sending (at the end of a run).
void flush_table_sink();

// set_title: keeps up to 256 bytes of the title (none empties it).
void set_title(const char* title);
