// A Section: a run of consecutive Lines of one file, first to last, with
// the state of the run and, once the two files' Sections are paired, the
// Section of the other file whose Lines its own Lines are linked to.
#pragma once

#include <cstdint>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/compare_state.h"
#include "twyndle/engine/line.h"

struct Section {
  Line* first;         // first Line of the run; none only for a run over an empty file
  Line* last;          // last Line; the run is first, next(first), ... up to last
  int32_t standalone;  // 1: allocated outside a list, freed by section_release
  Section* link;       // the paired Section of the other file's list, or none
  int32_t state;       // a CompareState
  int32_t left_base;   // composite: number of the left source's first Line (0: none); else 1
  int32_t right_base;  // the same for the right source
};

// A Section over first..last, link none, state 0, both bases 1; appended to
// `list`, or standalone without one. None when memory runs out.
Section* section_new(Line* first, Line* last, BlockList* list);
// Frees a standalone Section; one in a list goes with its list.
void section_release(Section* section);

Line* section_first(const Section* section);
Line* section_last(const Section* section);
int32_t section_state(const Section* section);
void section_set_state(Section* section, int32_t state);
int32_t section_left_base(const Section* section);
int32_t section_right_base(const Section* section);
Section* section_link(const Section* section);
// number(last) - number(first) + 1; 0 for a Section without Lines.
int32_t section_line_count(const Section* section);

// The neighbours of a Section in its list; none at the ends and for a
// standalone Section.
Section* section_next(const Section* section);
Section* section_prev(const Section* section);
Section* section_list_first(const BlockList* list);

// The neighbours of a Line in its file's list, none at the ends.
inline Line* line_next(const Line* line) { return static_cast<Line*>(list_next(line)); }
inline Line* line_prev(const Line* line) { return static_cast<Line*>(list_prev(line)); }
