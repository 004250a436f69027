#include "twyndle/engine/compare_item.h"

#include <cstdio>
#include <cstring>

#include "twyndle/engine/content_check.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/engine_strings.h"
#include "twyndle/engine/name_compare.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/scan_problems.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/section_match.h"

namespace {
// The pair's name from the sides' relative names: the one present side's;
// with both, the right one when they agree ignoring case, else
// "left : right".
char* pair_name(const char* left_name, const char* right_name) {
  if (left_name && right_name && !names_equal_ignoring_case(left_name, right_name)) {
    size_t bytes = std::strlen(left_name) + std::strlen(right_name) + 4;
    auto* joined = static_cast<char*>(engine_alloc(static_cast<int32_t>(bytes)));
    if (joined) std::snprintf(joined, bytes, "%s : %s", left_name, right_name);
    return joined;
  }
  return text_new(right_name ? right_name : left_name);
}

// What the pairing knows of the two files. A file that cannot be read has
// no size or bytes to compare: its pair is neither identical nor of
// different sizes, whatever a size of 0 would say.
enum class PairKind {
  left_only,
  right_only,
  sizes_differ,
  same_bytes,
  same_size_only,
  left_unreadable,
  right_unreadable,
  both_unreadable,
  not_compared,  // the user aborted while the bytes were read
};

PairKind unreadable_kind(bool left, bool right) {
  if (left && right) return PairKind::both_unreadable;
  return left ? PairKind::left_unreadable : PairKind::right_unreadable;
}

PairKind contents_kind(Contents contents) {
  switch (contents) {
    case Contents::same: return PairKind::same_bytes;
    case Contents::different: return PairKind::same_size_only;
    case Contents::left_unreadable: return PairKind::left_unreadable;
    case Contents::right_unreadable: return PairKind::right_unreadable;
    case Contents::both_unreadable: return PairKind::both_unreadable;
    case Contents::unknown: break;
  }
  return PairKind::not_compared;
}

PairKind pair_kind(const DirEntry* left, const DirEntry* right) {
  if (!right) return PairKind::left_only;
  if (!left) return PairKind::right_only;
  if (!entry_size_known(left) || !entry_size_known(right)) {
    return unreadable_kind(!entry_size_known(left), !entry_size_known(right));
  }
  uint64_t size = entry_size(left);
  if (size != entry_size(right)) return PairKind::sizes_differ;
  if (!program.check_contents || size == 0) return PairKind::same_bytes;  // two empty files agree
  return contents_kind(compare_contents(left, right));
}

// Only equal bytes make a pair Equal. Files of one size whose bytes differ
// differ as much as files of two sizes: they are SizesDiffer for the save
// lists, copying and the next change, and their tag says "same size". A
// pair that could not be compared counts as differing too, so that the
// next change stops at it and no list calls it identical; its tag says
// why.
int32_t pair_state(PairKind kind) {
  switch (kind) {
    case PairKind::left_only: return LeftFileOnly;
    case PairKind::right_only: return RightFileOnly;
    case PairKind::same_bytes: return Equal;
    default: break;
  }
  return SizesDiffer;
}

char* state_tag(PairKind kind, const DirEntry* present, bool identical_text) {
  char text[300];
  switch (kind) {
    case PairKind::same_bytes:
      engine_string(identical_text ? string_identical : string_same_size, text, sizeof text);
      break;
    case PairKind::same_size_only: engine_string(string_same_size, text, sizeof text); break;
    case PairKind::sizes_differ: engine_string(string_different_sizes, text, sizeof text); break;
    case PairKind::left_unreadable: std::snprintf(text, sizeof text, "couldn't read the left file"); break;
    case PairKind::right_unreadable: std::snprintf(text, sizeof text, "couldn't read the right file"); break;
    case PairKind::both_unreadable: std::snprintf(text, sizeof text, "couldn't read either file"); break;
    case PairKind::not_compared: std::snprintf(text, sizeof text, "not compared"); break;
    default: std::snprintf(text, sizeof text, "only in %s", tree_root_path(entry_tree(present))); break;
  }
  return text_new(text);
}

// Notes a file that could not be read on its tree, so that the user is
// told after the pairing which files were not compared.
void note_unreadable(DirEntry* entry, const char* relative) {
  char* path = entry_full_path(entry);
  if (path) tree_note_problem(entry_tree(entry), problem_unreadable_file, relative ? relative : "", path);
  entry_free_path(entry, path);
}

void note_unreadable_sides(PairKind kind, DirEntry* left, const char* left_name, DirEntry* right,
                           const char* right_name) {
  if (kind == PairKind::left_unreadable || kind == PairKind::both_unreadable) note_unreadable(left, left_name);
  if (kind == PairKind::right_unreadable || kind == PairKind::both_unreadable) note_unreadable(right, right_name);
}

// A list of one Equal Section over every Line of the file (no Section for
// an empty file); none when memory runs out.
BlockList* whole_file_list(BlockList* lines) {
  BlockList* list = list_new();
  Line* first = static_cast<Line*>(list_first(lines));
  if (!list || !first) return list;
  Section* section = section_new(first, static_cast<Line*>(list_last(lines)), list);
  if (!section) list_destroy(&list);
  if (section) section->state = Equal;
  return list;
}

void compute_one_side(CompareItem* item) {
  bool is_left = item->left != nullptr;
  BlockList* lines = source_lines(is_left ? item->left : item->right);
  if (!lines) return;
  BlockList* own = whole_file_list(lines);
  item->composite = whole_file_list(lines);
  if (!own || !item->composite) {
    list_destroy(&own);
    list_destroy(&item->composite);
    return;
  }
  (is_left ? item->left_sections : item->right_sections) = own;
}
}  // namespace

CompareItem* item_new(DirEntry* left, DirEntry* right, BlockList* list, bool identical_text) {
  char* left_name = entry_relative_name(left);
  char* right_name = entry_relative_name(right);
  CompareItem* item = item_new_named(left, left_name, right, right_name, list, identical_text);
  text_free(left_name);
  text_free(right_name);
  return item;
}

CompareItem* item_new_named(DirEntry* left, const char* left_name, DirEntry* right, const char* right_name,
                            BlockList* list, bool identical_text) {
  if (!left && !right) return nullptr;
  SourceFile* left_file = left ? source_new(left, false) : nullptr;
  SourceFile* right_file = right ? source_new(right, false) : nullptr;
  PairKind kind = pair_kind(left, right);
  int32_t state = pair_state(kind);
  char* name = pair_name(left ? left_name : nullptr, right ? right_name : nullptr);
  char* tag = state_tag(kind, left ? left : right, identical_text);
  CompareItem* item = nullptr;
  // The record is made last, so that a failure leaves the list as it was.
  if ((!left || left_file) && (!right || right_file) && name && tag) {
    item = static_cast<CompareItem*>(list ? list_append(list, sizeof(CompareItem))
                                          : engine_alloc(sizeof(CompareItem)));
  }
  if (!item) {
    source_release(left_file);
    source_release(right_file);
    text_free(name);
    text_free(tag);
    return nullptr;
  }
  *item = CompareItem{left_file, right_file, nullptr, nullptr, nullptr, state, list ? 0 : 1, name, tag};
  note_unreadable_sides(kind, left, left_name, right, right_name);
  return item;
}

void item_release(CompareItem* item) {
  if (!item) return;
  item_discard_sections(item);
  source_release(item->left);
  source_release(item->right);
  text_free(item->name);
  text_free(item->tag);
  item->left = item->right = nullptr;
  item->name = item->tag = nullptr;
  if (item->standalone) engine_free(item, sizeof(CompareItem));
}

void item_discard_sections(CompareItem* item) {
  if (!item) return;
  list_destroy(&item->composite);
  list_destroy(&item->left_sections);
  list_destroy(&item->right_sections);
  source_reset_lines(item->left);
  source_reset_lines(item->right);
}

BlockList* composite_sections(CompareItem* item) {
  if (!item) return nullptr;
  if (!item->composite) {
    if (item->left && item->right) {
      compute_sections(item);
    } else {
      compute_one_side(item);
    }
  }
  return item->composite;
}

int32_t item_state(const CompareItem* item) { return item ? item->state : 0; }
const char* item_name(const CompareItem* item) { return item ? item->name : nullptr; }
const char* item_tag(const CompareItem* item) { return item ? item->tag : nullptr; }
SourceFile* item_left_file(const CompareItem* item) { return item ? item->left : nullptr; }
SourceFile* item_right_file(const CompareItem* item) { return item ? item->right : nullptr; }
BlockList* item_left_sections(const CompareItem* item) { return item ? item->left_sections : nullptr; }
BlockList* item_right_sections(const CompareItem* item) { return item ? item->right_sections : nullptr; }

namespace {
bool ends_in_crlf(const Line* line) {
  const char* text = line_text(line);
  return text && line->length >= 2 && text[line->length - 2] == '\r' && text[line->length - 1] == '\n';
}
}  // namespace

LineEnds item_line_ends(const CompareItem* item) {
  if (!item || !item->composite || !item->right) return LineEnds::same;
  for (auto* line = static_cast<Line*>(list_first(item->right->lines)); line;
       line = static_cast<Line*>(list_next(line))) {
    Line* partner = line_link(line);
    if (!partner) continue;
    bool right_crlf = ends_in_crlf(line);
    if (right_crlf != ends_in_crlf(partner)) return right_crlf ? LineEnds::crlf_right : LineEnds::crlf_left;
  }
  return LineEnds::same;
}

int32_t item_unreadable_side(const CompareItem* item) {
  if (!item) return 0;
  if (source_unreadable(item->left)) return 1;
  return source_unreadable(item->right) ? 2 : 0;
}

char* item_file_name(const CompareItem* item, int32_t which) {
  if (!item || (which != 1 && which != 2)) return nullptr;
  DirEntry* entry = source_entry(which == 1 ? item->left : item->right);
  if (!entry) return nullptr;
  char* path = entry_full_path(entry);
  char* copy = text_new(path);
  entry_free_path(entry, path);
  return copy;
}
