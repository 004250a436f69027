// The busy state of a worker run: the window title, the status label and
// the exit button tell the user that a run is in progress and offer Abort.
#pragma once

#include <string>

// Sets busy unless a run is in progress already (then false).
bool begin_busy();
// Shows the state of the current View (exit button, label, the next and
// previous, print and save buttons), restores the title, and clears busy,
// the abort flag and the worker thread.
void end_busy();
// "Please wait for current operation to finish".
void show_busy_message();
// Shows the state of the current View in the status bar and sets
// display_mode: "Exit" without a View; the next and previous, print and
// save buttons and the item's name when expanded; no buttons in a fresh
// outline.
void show_view_status();
// The status label of the outline: empty, or after an abort the note that
// the outline stops short of the end of the compare.
std::string outline_label();
// Replaces the text of a status bar item (the label or a button).
void set_status_text(int identifier, const std::string& text);
