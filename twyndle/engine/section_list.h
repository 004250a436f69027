// Cutting one file's Lines into Sections once they are linked, and merging
// the two files' paired Sections into the composite list the view shows.
#pragma once

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/line.h"
#include "twyndle/engine/section.h"

// The next Line that counts: blank unlinked Lines are passed over when
// ignore_blanks is set (a last, blank Line is returned itself). None at the end.
Line* next_significant(const Line* line);
// The last Line of the matched run that starts at `line`: the run goes on
// while the partners follow each other in the other file.
Line* run_end_linked(Line* line);
// The last Line of the run of unlinked Lines that starts at `line`.
Line* run_end_unlinked(Line* line);

// The Sections of one file's linked Lines: matched runs in state Equal,
// unmatched runs LeftLinesOnly (is_left) or RightLinesOnly. None when
// memory runs out (never a partial list).
BlockList* make_section_list(BlockList* lines, bool is_left);

// Merges the paired per-file lists into a new composite list, marking the
// per-file Sections Taken as they are used. None when memory runs out.
BlockList* make_composite(BlockList* left_list, BlockList* right_list);
