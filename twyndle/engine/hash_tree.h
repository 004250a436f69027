// HashTree: the census of a Section's unlinked Lines by hash. For every hash
// it holds how many Lines carry it and the first of them (in the order they
// were added). The matcher asks it which Lines are unique in their Section.
//
// Only the contents matter, so it is kept as an open-addressed table with
// linear probing rather than a search tree: one allocation per census, and
// lookups that do not depend on how the hashes happen to be ordered.
#pragma once

#include <cstdint>

#include "twyndle/engine/line.h"

struct HashTreeSlot {
  uint32_t key;   // a Line hash; meaningful only while count > 0
  int32_t count;  // Lines added under key; 0 marks an empty slot
  Line* first;    // the first Line added under key
};

struct HashTree {
  uint32_t slot_count;  // at least 8; any number, so the table is no larger than it must be
  uint32_t used;        // slots holding a key; always below the slot count
  HashTreeSlot* slots;  // in the same block, right after the record
};

// An empty census with room for `expected` distinct keys; none when memory
// runs out.
HashTree* hash_tree_new(uint32_t expected);
// Counts one more Line under `key`; the first Line added under a key stays.
// A key beyond the room asked for is left out (the table never fills up).
void hash_tree_add(HashTree* tree, uint32_t key, Line* line);
// The number of Lines added under `key` (0 for an unknown key); `first`,
// when given, receives the first of them (none for an unknown key).
int32_t hash_tree_count(const HashTree* tree, uint32_t key, Line** first);
void hash_tree_release(HashTree* tree);
// A hint that `key` will be added or looked up soon: starts loading its
// slot, so that a walk over many keys does not wait on each in turn.
void hash_tree_prefetch(const HashTree* tree, uint32_t key);
