#include "twyndle/engine/section_list.h"

#include "twyndle/engine/program_state.h"

namespace {
bool passed_over(const Line* line) { return program.ignore_blanks && !line->link && line_is_blank(line); }

// Where a matched run ends when its next significant Line n has no partner.
Line* end_before_unlinked(Line* n) { return program.ignore_blanks && line_is_blank(n) ? n : line_prev(n); }
}  // namespace

Line* next_significant(const Line* line) {
  Line* n = line_next(line);
  while (n && passed_over(n)) {
    Line* after = line_next(n);
    if (!after) return n;
    n = after;
  }
  return n;
}

Line* run_end_linked(Line* line) {
  if (!line) return nullptr;
  if (!line->link && line_is_blank(line)) {
    Line* n = next_significant(line);
    if (!n) return line;
    if (!n->link) return end_before_unlinked(n);
    line = n;
  }
  for (;;) {
    Line* n = next_significant(line);
    if (!n) return line;
    if (!n->link) return end_before_unlinked(n);
    if (n->link != next_significant(line->link)) return line_prev(n);
    line = n;
  }
}

Line* run_end_unlinked(Line* line) {
  if (!line) return nullptr;
  Line* n = line_next(line);
  while (n && !n->link) {
    line = n;
    n = line_next(n);
  }
  return line;
}

BlockList* make_section_list(BlockList* lines, bool is_left) {
  BlockList* list = list_new();
  if (!list) return nullptr;
  for (Line* line = static_cast<Line*>(list_first(lines)); line;) {
    bool matched = line->link || (program.ignore_blanks && line_is_blank(line));
    Line* end = matched ? run_end_linked(line) : run_end_unlinked(line);
    Section* section = section_new(line, end, list);
    if (!section) {
      list_destroy(&list);
      return nullptr;
    }
    section->state = matched ? Equal : is_left ? LeftLinesOnly : RightLinesOnly;
    line = line_next(end);
  }
  return list;
}

namespace {
struct Merge {
  BlockList* composite;
  bool failed;
};

// Emits `source`'s Lines into the composite with `state`, the bases taken
// from the left and right Sections involved, and marks the per-file
// Sections that the state uses up as Taken.
void add(Merge& merge, const Section* source, int32_t state, Section* left, Section* right) {
  Section* emitted = section_new(source->first, source->last, merge.composite);
  if (!emitted) {
    merge.failed = true;
    return;
  }
  emitted->state = state;
  emitted->left_base = left ? line_number(left->first) : 0;
  emitted->right_base = right ? line_number(right->first) : 0;
  bool takes_left = state == Equal || state == LeftLinesOnly || state == MovedLeftLines;
  bool takes_right = state == Equal || state == RightLinesOnly || state == MovedRightLines;
  if (takes_left && left) left->state = Taken;
  if (takes_right && right) right->state = Taken;
}

// One step of the merge; advances at least one of the two cursors.
void merge_step(Merge& merge, Section*& sL, Section*& sR) {
  if (!sL) {
    add(merge, sR, sR->link ? MovedRightLines : RightLinesOnly, sR->link, sR);
    sR = section_next(sR);
  } else if (!sR) {
    add(merge, sL, sL->link ? MovedLeftLines : LeftLinesOnly, sL, sL->link);
    sL = section_next(sL);
  } else if (sL->state == LeftLinesOnly) {
    add(merge, sL, LeftLinesOnly, sL, nullptr);
    sL = section_next(sL);
  } else if (!sL->link) {
    sL = section_next(sL);
  } else if (sL->link->state == Taken) {
    add(merge, sL, MovedLeftLines, sL, sL->link);
    sL = section_next(sL);
  } else if (!sR->link) {
    add(merge, sR, sR->state, nullptr, sR);
    sR = section_next(sR);
  } else if (sR->link->state == Taken) {
    add(merge, sR, MovedRightLines, sR->link, sR);
    sR = section_next(sR);
  } else if (sL->link == sR) {
    add(merge, sR, Equal, sL, sR);
    sL = section_next(sL);
    sR = section_next(sR);
  } else if (section_line_count(sR) > section_line_count(sL)) {
    add(merge, sL, MovedLeftLines, sL, sL->link);
    sL = section_next(sL);
  } else {
    add(merge, sR, MovedRightLines, sR->link, sR);
    sR = section_next(sR);
  }
}
}  // namespace

BlockList* make_composite(BlockList* left_list, BlockList* right_list) {
  Merge merge = {list_new(), false};
  if (!merge.composite) return nullptr;
  Section* sL = section_list_first(left_list);
  Section* sR = section_list_first(right_list);
  while ((sL || sR) && !merge.failed) merge_step(merge, sL, sR);
  if (merge.failed) list_destroy(&merge.composite);
  return merge.composite;
}
