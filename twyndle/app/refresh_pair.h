// Command 194, refresh one pair: the item's files are read again and every
// item's line-level result is dropped, so the next look at an item compares
// afresh; an expanded View shows its item again near the same lines.
#pragma once

#include <windows.h>

// lParam names a CompareItem of the current list; any other value is
// ignored, since the command may come from outside the program.
void refresh_pair(LPARAM lparam);
