// What the table shows of the current View: a selected row, an outline row
// expanded, the way back to the outline. The commands, the table's notices
// and the end of a run all come here; it lays out the windows and sets the
// status bar, and calls nothing above it.
#pragma once

#include <cstdint>

// Selects one row of the current View in the table.
void select_row(int32_t row);
// Expands the selected outline row; false when there is none or it cannot
// be expanded.
bool expand();
// Escape, or the exit button in expanded mode.
void back_to_outline();
// Tells the user why an outline row did not expand when a file of its pair
// could not be read; nothing otherwise.
void report_unreadable(int32_t row);
