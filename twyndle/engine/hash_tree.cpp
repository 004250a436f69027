#include "twyndle/engine/hash_tree.h"

#include "twyndle/engine/system_memory.h"

namespace {
// Slot tables above this many bytes are refused rather than overflowing.
constexpr uint64_t largest_table_bytes = 0x40000000u;
static_assert(sizeof(HashTree) % alignof(HashTreeSlot) == 0, "the slots follow the record aligned");

// Line hashes of similar texts can agree in many of their low bits, so
// spread them with a multiplicative step, then take the slot from the high
// bits of the spread key times the slot count (a slot in proportion to the
// key, without a division and without a power-of-two table).
uint32_t home_slot(const HashTree* tree, uint32_t key) {
  return static_cast<uint32_t>((uint64_t{key * 0x9E3779B1u} * tree->slot_count) >> 32);
}

HashTreeSlot* find_slot(const HashTree* tree, uint32_t key) {
  uint32_t index = home_slot(tree, key);
  for (;;) {
    HashTreeSlot* slot = &tree->slots[index];
    if (slot->count == 0 || slot->key == key) return slot;
    index = index + 1 == tree->slot_count ? 0 : index + 1;
  }
}
}  // namespace

HashTree* hash_tree_new(uint32_t expected) {
  // At most four fifths full: short probes. A census of a whole large file
  // is the biggest block a compare takes besides its Lines, so the table is
  // sized to that bound exactly rather than to the next power of two.
  uint64_t slot_count = uint64_t{expected} * 5 / 4 + 1;
  if (slot_count < 8) slot_count = 8;
  uint64_t bytes = sizeof(HashTree) + slot_count * sizeof(HashTreeSlot);
  if (bytes > largest_table_bytes) return nullptr;
  // A census lives only while two Sections are matched; it takes one
  // zero-filled block from the system (asking the user if there is none),
  // the record followed by its slots.
  auto* tree = static_cast<HashTree*>(system_alloc_or_ask(static_cast<uint32_t>(bytes)));
  if (!tree) return nullptr;
  tree->slot_count = static_cast<uint32_t>(slot_count);
  tree->used = 0;
  tree->slots = reinterpret_cast<HashTreeSlot*>(tree + 1);
  return tree;
}

void hash_tree_add(HashTree* tree, uint32_t key, Line* line) {
  if (!tree) return;
  HashTreeSlot* slot = find_slot(tree, key);
  if (slot->count == 0) {
    if (tree->used + 1 >= tree->slot_count) return;
    tree->used += 1;
    slot->key = key;
    slot->first = line;
  }
  slot->count += 1;
}

int32_t hash_tree_count(const HashTree* tree, uint32_t key, Line** first) {
  if (first) *first = nullptr;
  if (!tree) return 0;
  const HashTreeSlot* slot = find_slot(tree, key);
  if (first) *first = slot->count ? slot->first : nullptr;
  return slot->count;
}

void hash_tree_prefetch(const HashTree* tree, uint32_t key) {
  if (tree) __builtin_prefetch(&tree->slots[home_slot(tree, key)]);
}

void hash_tree_release(HashTree* tree) { system_free(tree); }
