// How two files are matched
//
// The matcher looks for Lines it can be sure of. A Line whose text occurs
// exactly once in the left file and exactly once in the right file must be
// the same Line in both; such a pair is an anchor. The first Lines of the
// two files and their last Lines are tried as anchors as well, since files
// that differ in the middle so often agree at their edges.
//
// From each anchor the match grows: the neighbours below are linked while
// they are equal, then the neighbours above. A Line that is repeated (a
// brace, an empty line) is never an anchor on its own, but is linked when
// it stands next to an anchor on both sides. With ignore_blanks set, blank
// Lines are stepped over while growing, so an inserted empty line does not
// stop the growth.
//
// Once nothing more links, each file is cut into Sections: runs of Lines
// whose partners follow each other in the same order in the other file,
// and runs of unlinked Lines between them. The matched Sections of the two
// files are paired, and each unmatched left gap that sits between two
// paired Sections is matched again against the right gap in the same
// place. Inside a gap, texts that were repeated in the whole file may be
// unique, so new anchors appear. The whole-file match then runs again: a
// Line repeated only among Lines now linked has become unique among the
// unlinked ones.
//
// Every pass only adds links and a Line is linked at most once, so the
// passes end; the last one links nothing.
//
// Memory for the censuses and indexes comes from the system with the
// engine's out-of-memory prompt. When the user gives up on it, a match is
// not left half done: the pair gets no Sections at all, as an unreadable
// file does, and the next request starts again from unlinked Lines. The paired Sections then merge
// into one composite list in file order: pairs in order are Equal, pairs
// out of order are moved blocks shown in both places, and the rest is
// left-only or right-only.
#include "twyndle/engine/section_match.h"

#include <cstddef>

#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/hash_tree.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/section_list.h"
#include "twyndle/engine/source_file.h"
#include "twyndle/engine/system_array.h"

bool skip_blank_run(Line** cursor, const Line* stop, LineStep step) {
  if (!cursor) return false;
  bool moved = false;
  while (*cursor && *cursor != stop && line_is_blank(*cursor)) {
    *cursor = step(*cursor);
    moved = true;
  }
  return moved;
}

namespace {
// Links pairs from cL and cR onwards in the direction of `step`, stepping
// over blank Lines when ignore_blanks is set; ends after a link that brings
// a cursor to its stop, or at a pair that neither links nor can be passed.
bool grow_phase(Line* cL, Line* cR, const Line* stopL, const Line* stopR, LineStep step) {
  bool linked = false;
  for (;;) {
    if (line_link_pair(cL, cR)) {
      linked = true;
      cL = step(cL);
      cR = step(cR);
      if (cL == stopL || cR == stopR) return linked;
      continue;
    }
    if (!program.ignore_blanks) return linked;
    bool movedL = skip_blank_run(&cL, stopL, step);
    bool movedR = skip_blank_run(&cR, stopR, step);
    if (!(movedL || movedR) || cL == stopL || cR == stopR) return linked;
  }
}

// The next Line of a Section, none after its last.
Line* next_in(const Section* section, Line* line) {
  return line == section->last ? nullptr : line_next(line);
}

// How many Lines ahead a walk over a Section starts loading table slots.
constexpr int prefetch_distance = 8;

// Calls visit(line, hash) for each Line of the Section (first to last,
// stopping early if the list ends) that has no link when it is reached,
// and hint(hash) for the Line prefetch_distance further on, so that the
// tables' slots are on their way by the time they are used. The Lines are
// walked in place: a large file's census costs its table and nothing more.
template <typename Visit, typename Hint>
void each_unlinked(const Section* section, Visit visit, Hint hint) {
  Line* ahead = section->first;
  for (int i = 0; i < prefetch_distance && ahead; ++i) ahead = next_in(section, ahead);
  for (Line* line = section->first; line; line = next_in(section, line)) {
    if (ahead) {
      if (!ahead->link) hint(line_hash(ahead));
      ahead = next_in(section, ahead);
    }
    if (!line->link) visit(line, line_hash(line));
  }
}

// The census of the Section's unlinked Lines by hash; none when memory
// runs out.
HashTree* census(const Section* section) {
  uint32_t unlinked = 0;
  for (Line* line = section->first; line; line = next_in(section, line)) {
    if (!line->link) ++unlinked;
  }
  HashTree* tree = hash_tree_new(unlinked);
  if (!tree) return nullptr;
  each_unlinked(
      section, [&](Line* line, uint32_t hash) { hash_tree_add(tree, hash, line); },
      [&](uint32_t hash) { hash_tree_prefetch(tree, hash); });
  return tree;
}

// Anchors every Line unique in both Sections and grows it; `failed` when
// memory for the censuses ran out.
bool match_unique_lines(Section* sL, Section* sR, bool& failed) {
  // Only Lines still unlinked after the two edge anchors are counted, and
  // only those can be reached unlinked by the walk below; a Line that the
  // walk links is passed over when the walk comes to it.
  HashTree* left_tree = census(sL);
  HashTree* right_tree = census(sR);
  bool linked = false;
  failed = failed || !left_tree || !right_tree;
  if (left_tree && right_tree) {
    each_unlinked(
        sL,
        [&](Line* line, uint32_t hash) {
          Line* partner = nullptr;
          if (hash_tree_count(left_tree, hash, nullptr) == 1 && hash_tree_count(right_tree, hash, &partner) == 1)
            linked = grow_match(sL, line, sR, partner) || linked;
        },
        [&](uint32_t hash) {
          hash_tree_prefetch(left_tree, hash);
          hash_tree_prefetch(right_tree, hash);
        });
  }
  hash_tree_release(left_tree);
  hash_tree_release(right_tree);
  return linked;
}

bool match_within(Section* sL, Section* sR, bool& failed) {
  if (!sL || !sR || !sL->first || !sR->first) return false;
  bool linked = grow_match(sL, sL->first, sR, sR->first);
  linked = grow_match(sL, sL->last, sR, sR->last) || linked;
  return match_unique_lines(sL, sR, failed) || linked;
}
}  // namespace

bool grow_match(Section* sL, Line* aL, Section* sR, Line* aR) {
  if (!sL || !sR || !aL || !aR) return false;
  bool linked = grow_phase(aL, aR, line_next(sL->last), line_next(sR->last), line_next);
  if (!line_link(aL)) return linked;
  Line* cL = line_prev(aL);
  Line* cR = line_prev(aR);
  if (!cL || !cR) return linked;
  return grow_phase(cL, cR, line_prev(sL->first), line_prev(sR->first), line_prev) || linked;
}

bool match_sections(Section* sL, Section* sR) {
  bool failed = false;
  return match_within(sL, sR, failed);
}

namespace {
// The Line by which a matched Section is paired: its first linked Line, or
// its last Line when none is linked.
Line* pairing_line(const Section* section) {
  Line* found = nullptr;
  for (Line* line = section->first; line && !found; line = line == section->last ? nullptr : line_next(line)) {
    if (line_link(line)) found = line;
  }
  return found ? found : section->last;
}

// The right list's matched Sections by the number of their pairing Line,
// so that pairing looks each partner up at once instead of searching the
// list from its start (a Line belongs to one Section only, so the first
// Section found by that search is the only one).
class PairingIndex {
 public:
  explicit PairingIndex(BlockList* right_list) : size_(highest_number(right_list) + 1u), by_number_(size_) {
    if (by_number_.failed()) return;
    for (Section* s = section_list_first(right_list); s; s = section_next(s)) {
      if (s->state != Equal) continue;
      Line* key = pairing_line(s);
      int32_t number = line_number(key);
      if (key && number > 0 && !by_number_[number]) by_number_[number] = s;
    }
  }

  bool failed() const { return by_number_.failed(); }

  Section* find(const Line* partner) const {
    int32_t number = line_number(partner);
    if (!partner || number <= 0 || static_cast<uint64_t>(number) >= size_) return nullptr;
    Section* s = by_number_[number];
    return s && pairing_line(s) == partner ? s : nullptr;
  }

 private:
  static uint32_t highest_number(BlockList* list) {
    int32_t highest = 0;
    for (Section* s = section_list_first(list); s; s = section_next(s)) {
      if (s->state == Equal && line_number(s->last) > highest) highest = line_number(s->last);
    }
    return static_cast<uint32_t>(highest);
  }

  uint64_t size_;
  SystemArray<Section*> by_number_;
};

// False when memory for the index ran out.
bool link_matched_sections(BlockList* left_list, BlockList* right_list) {
  PairingIndex index(right_list);
  if (index.failed()) return false;
  for (Section* s = section_list_first(left_list); s; s = section_next(s)) {
    if (s->state != Equal) continue;
    Section* partner = index.find(line_link(pairing_line(s)));
    if (partner) {
      s->link = partner;
      partner->link = s;
    }
  }
  return true;
}

// The right Section that stands in the same place as the left gap, or
// none when the gap is not to be matched.
Section* facing_gap(const Section* gap, BlockList* right_list) {
  Section* before = section_prev(gap);
  Section* after = section_next(gap);
  if ((before && before->state != Equal) || (after && after->state != Equal)) return nullptr;
  if (before) {
    Section* candidate = before->link ? section_next(before->link) : nullptr;
    if (!candidate || candidate->link) return nullptr;
    if (after ? after->link != section_next(candidate) : !section_next(candidate)) return nullptr;
    return candidate;
  }
  if (after) {
    Section* candidate = after->link ? section_prev(after->link) : nullptr;
    if (!candidate || candidate->link || !section_prev(candidate)) return nullptr;
    return candidate;
  }
  return section_list_first(right_list);
}
}  // namespace

namespace {
bool pair_within(BlockList* left_list, BlockList* right_list, bool& failed) {
  if (!link_matched_sections(left_list, right_list)) {
    failed = true;
    return false;
  }
  bool linked = false;
  for (Section* s = section_list_first(left_list); s && !failed; s = section_next(s)) {
    if (s->state == Equal) continue;
    Section* facing = facing_gap(s, right_list);
    if (facing) linked = match_within(s, facing, failed) || linked;
  }
  return linked;
}
}  // namespace

bool pair_sections(BlockList* left_list, BlockList* right_list) {
  bool failed = false;
  return pair_within(left_list, right_list, failed);
}

namespace {
void drop_section_lists(CompareItem* item) {
  list_destroy(&item->composite);
  list_destroy(&item->left_sections);
  list_destroy(&item->right_sections);
}

// The state of the passes over one pair of files.
struct Passes {
  CompareItem* item;
  BlockList* left_lines;
  BlockList* right_lines;
  bool ok;            // false once memory ran out
  bool lists_settled; // the Section lists match the links, and pairing them linked nothing
};

// One whole-file pass: match the two files, then cut and pair them afresh.
// Returns whether anything was linked. Cutting is a function of the links
// alone, so when neither this match nor the last pairing linked anything,
// the lists already are what cutting and pairing would make again.
bool whole_file_pass(Passes& passes) {
  CompareItem* item = passes.item;
  Section* left_all = section_new(static_cast<Line*>(list_first(passes.left_lines)),
                                  static_cast<Line*>(list_last(passes.left_lines)), nullptr);
  Section* right_all = section_new(static_cast<Line*>(list_first(passes.right_lines)),
                                   static_cast<Line*>(list_last(passes.right_lines)), nullptr);
  bool failed = !left_all || !right_all;
  bool linked = match_within(left_all, right_all, failed);
  passes.ok = !failed;
  section_release(left_all);
  section_release(right_all);
  if (passes.ok && !linked && passes.lists_settled) return false;
  drop_section_lists(item);
  if (!passes.ok) return false;
  item->left_sections = make_section_list(passes.left_lines, true);
  item->right_sections = make_section_list(passes.right_lines, false);
  passes.ok = item->left_sections && item->right_sections;
  if (!passes.ok) return false;
  bool paired = pair_within(item->left_sections, item->right_sections, failed);
  passes.ok = !failed;
  passes.lists_settled = !paired;
  return passes.ok && (paired || linked);
}
}  // namespace

void compute_sections(CompareItem* item) {
  if (!item) return;
  drop_section_lists(item);
  Passes passes = {item, source_lines(item->left), source_lines(item->right), true, false};
  if (!passes.left_lines || !passes.right_lines) return;
  while (whole_file_pass(passes)) {
  }
  if (passes.ok) item->composite = make_composite(item->left_sections, item->right_sections);
  if (item->composite) return;
  // Out of memory: leave no half-made result, and let the next request
  // start again from unlinked Lines.
  drop_section_lists(item);
  source_reset_lines(item->left);
  source_reset_lines(item->right);
}
