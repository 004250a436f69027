// Printing from the main window: the print command (113, Ctrl+P or the
// Print button) and the printer font that the owner's column answer makes
// for a print.
#pragma once

#include "twyndle/ui/table_protocol.h"

// While a run is busy, the busy message; else prints the current View: the
// compare title centred at the top of each page ("Twyndle" without one),
// "Page # of $" right-aligned at the bottom. Nothing while a print runs.
void print_command();

// True while a print runs (print_request is set).
bool printing();

// The font of the columns: the screen font, or for the print queries the
// printer font. With a screen font from the ini file and a print in
// progress, the printer font is made first at the font's point size for
// the printer's resolution and selected into the printer; it replaces the
// one made before.
TableFont column_font(bool for_print);
