// A CompareList: the result of comparing two roots, each a file or a
// directory. Two walks in the same sorted order run side by side and give
// one CompareItem per file name found on either side.
#pragma once

#include <cstdint>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/list_receiver.h"

struct CompareList {
  DirTree* left;     // owned left root, none until set
  DirTree* right;    // owned right root, none until set
  BlockList* items;  // owned CompareItems, in pairing order
  int32_t complete;  // 1 once pairing walked both roots to their ends; 0 after an
                     // abort, an item that could not be made, or a directory
                     // that could not be read
  int32_t aborted;   // 1 when the user aborted the pairing: items past the last one are missing
};

// A list with no roots and an empty item list; none when memory runs out.
CompareList* compare_list_new();
// Compares two roots: makes both trees (a root that is neither a file nor a
// directory gets "Couldn't find %s" and no list results), hands the new
// list to the receiver, then pairs the trees and tells the user of anything
// the scan could not compare (scan_problems.h). The receiver, when there is
// one, owns the list from then on; without one the caller releases it.
CompareList* compare_paths(const char* left_path, const char* right_path, ListReceiver* receiver,
                           int32_t recursive);
// Pairs the two roots into items, telling the receiver after each one.
// Returns 1 when the walks ran to their ends, 0 when the user aborted.
int32_t pair_trees(CompareList* list, ListReceiver* receiver, int32_t recursive);
// Releases both trees, every item, the item list and the record.
void compare_list_release(CompareList* list);

BlockList* compare_list_items(const CompareList* list);
const char* compare_list_left_root(const CompareList* list);
const char* compare_list_right_root(const CompareList* list);
int32_t compare_list_complete(const CompareList* list);
int32_t compare_list_aborted(const CompareList* list);

// Records in program.elapsed_ticks the time of the pairing or copy that
// started at `start_ticks`.
void elapsed_ticks_since(uint32_t start_ticks);
// The system's millisecond tick count (wrapping).
uint32_t tick_count();
