// Whether the two files of an equal-size pair hold the same bytes. Their
// sizes alone say nothing about that, and a pair called "identical" must be
// one that a user may treat as a duplicate.
#pragma once

#include "twyndle/engine/dir_tree.h"

enum class Contents {
  same,             // every byte equal
  different,        // a byte differs, or one file ended before the other
  left_unreadable,  // the left file could not be opened or read to its end
  right_unreadable, // the right file could not be opened or read to its end
  both_unreadable,  // neither file could be opened
  unknown,          // the user aborted, or there was no memory to read into
};

// Reads both files side by side in large blocks, stopping at the first
// block that differs; builds no Lines. Runs on the thread that pairs the
// trees and stops early when abort_requested is set.
Contents compare_contents(const DirEntry* left, const DirEntry* right);
