// The Compare dialog: two paths (files or directories, with Browse buttons)
// and twyndle's display options.
#pragma once

#include <windows.h>

#include "scrivane/compare_choice.h"

namespace scrivane {

// Shows the dialog filled from choice; true with choice updated when the
// user pressed Compare with a left path given.
bool run_compare_dialog(HINSTANCE instance, HWND owner, CompareChoice& choice);

}  // namespace scrivane
