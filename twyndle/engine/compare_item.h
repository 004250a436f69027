// A CompareItem: one pair of files (a left file, a right file, or both)
// with its state, decided when the item is made from the files' presence,
// their sizes and, for equal sizes, their bytes, and its line-level result,
// computed when it is first asked for.
#pragma once

#include <cstdint>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/compare_state.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/source_file.h"

struct CompareItem {
  SourceFile* left;            // owned; none when the pair has no left file
  SourceFile* right;           // owned; none when the pair has no right file
  BlockList* composite;        // owned merged Sections; none until first asked for
  BlockList* left_sections;    // owned per-file Sections of the left file, or none
  BlockList* right_sections;   // owned per-file Sections of the right file, or none
  int32_t state;               // Equal (same bytes), SizesDiffer (the files differ: in size,
                               // or, tagged "same size", in content; or they could not be
                               // compared), LeftFileOnly or RightFileOnly; fixed
  int32_t standalone;          // 1: allocated outside a list
  char* name;                  // owned: the pair's relative name(s)
  char* tag;                   // owned: short description of the state
};

// A new item for the entries (either may be none, not both), appended to
// `list` or standalone. The bytes of an equal-size pair are compared (on
// the calling thread): equal bytes make it Equal, tagged "identical" when
// identical_text is set, else "same size"; other bytes make it SizesDiffer
// tagged "same size". A pair with a file that cannot be read is SizesDiffer
// tagged "couldn't read the left file" (right, either), and each such file
// is noted on its tree (scan_problems.h); one whose reading the user
// aborted is SizesDiffer tagged "not compared". None when both entries are
// missing or memory runs out; the list is then left unchanged.
CompareItem* item_new(DirEntry* left, DirEntry* right, BlockList* list, bool identical_text);
// The same, for a caller that holds the entries' relative names already
// (entry_relative_name of each present entry).
CompareItem* item_new_named(DirEntry* left, const char* left_name, DirEntry* right, const char* right_name,
                            BlockList* list, bool identical_text);
// Drops the Sections, releases both files and the texts, and frees the
// record if it is standalone.
void item_release(CompareItem* item);
// Releases the three Section lists and resets every Line of both files, so
// that the next request matches from scratch.
void item_discard_sections(CompareItem* item);
// The composite Section list, computed on first use; none while a file
// cannot be read.
BlockList* composite_sections(CompareItem* item);

int32_t item_state(const CompareItem* item);
const char* item_name(const CompareItem* item);
const char* item_tag(const CompareItem* item);
SourceFile* item_left_file(const CompareItem* item);
SourceFile* item_right_file(const CompareItem* item);
BlockList* item_left_sections(const CompareItem* item);
BlockList* item_right_sections(const CompareItem* item);

// Matching takes CR LF and LF for the same line end (line.h), so files that
// differ only there show no change; this says whether they do. Read once the
// composite is made: `same` when every pair of matched Lines ends alike (or
// nothing is matched yet), else the side of the first pair that ends in
// CR LF where its partner ends in a LF alone.
enum class LineEnds { same, crlf_left, crlf_right };
LineEnds item_line_ends(const CompareItem* item);

// The full path of the left (which = 1) or right (which = 2) file as a new
// text that the caller frees with text_free; none when that side has no file.
char* item_file_name(const CompareItem* item, int32_t which);
// Why composite_sections gave none: 1 when the left file could not be
// opened or read at the last attempt, 2 for the right file (the left one
// first when neither could), 0 when both were read (or memory ran out).
int32_t item_unreadable_side(const CompareItem* item);
