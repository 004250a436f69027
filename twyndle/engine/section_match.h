// The line matcher: links the matching Lines of two files in pairs and
// builds a compare item's Section lists from the links.
#pragma once

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/line.h"
#include "twyndle/engine/section.h"

struct CompareItem;

// One step of a cursor through a file's Lines: line_next or line_prev.
typedef Line* (*LineStep)(const Line* line);

// Moves the cursor over blank Lines, never past `stop`; true if it moved.
// A cursor that is none counts as not blank.
bool skip_blank_run(Line** cursor, const Line* stop, LineStep step);

// Links aL (in sL) with aR (in sR), then their neighbours forwards and,
// once aL is linked, backwards, for as long as they match. True if any
// pair was linked.
bool grow_match(Section* sL, Line* aL, Section* sR, Line* aR);

// Anchors the two Sections at their beginnings, their ends and every Line
// unique in both, growing each anchor. True if any pair was linked.
bool match_sections(Section* sL, Section* sR);

// Pairs the matched Sections of the two lists and matches inside the gaps
// between paired Sections. True if any new pair of Lines was linked.
bool pair_sections(BlockList* left_list, BlockList* right_list);

// Builds the item's left, right and composite Section lists from its two
// files; all three stay none when either file cannot be read (or memory
// runs out).
void compute_sections(CompareItem* item);
