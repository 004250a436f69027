// Writing the names of a compare list's items in chosen states to a file.
#pragma once

#include <cstdint>

#include "twyndle/engine/compare_list.h"

// The item states to write (SaveListFlags).
enum : uint32_t {
  save_identical = 1,   // Equal items
  save_differing = 2,   // SizesDiffer items
  save_left_only = 4,   // LeftFileOnly items
  save_right_only = 8,  // RightFileOnly items
};

// Writes a header line naming both roots and the chosen states, one line
// per chosen item, and a last line with the count; lines end in LF. Only
// the low four bits of `flags` count. A file that cannot be created gets
// "Cannot open %s"; one that cannot be written gets "Cannot write %s".
// The count line is left out, and false returned, when the list is not
// complete (its pairing was aborted) or a write failed, so a partial list
// never reads as a whole one.
bool save_list(const CompareList* list, const char* file_name, uint32_t flags);
