// The main window as the table's owner: it answers the table's queries from
// the current View and acts on its notices (selection, Enter, close).
#pragma once

#include <windows.h>

#include <cstdint>

#include "twyndle/engine/compare_item.h"

// SCTabMsg: wParam = code, lParam = record; the answer is the result.
LRESULT table_notice(int32_t code, LPARAM lparam);

// Posts open requests for an expanded row to the host (left file first,
// each at its line; a side without a line is left out) and brings the host
// forward.
void jump_into_host(CompareItem* item, int32_t row);
// Selects the other copy of a moved row's text.
void jump_to_moved_counterpart(int32_t row);
