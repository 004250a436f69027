#include "twyndle/engine/hash_tree.h"

#include "twyndle/engine/system_memory.h"

namespace {
// Slot tables above this many bytes are refused rather than overflowing.
constexpr uint64_t largest_table_bytes = 0x40000000u;
static_assert(sizeof(HashTree) % alignof(HashTreeSlot) == 0, "the slots follow the record aligned");

// Line hashes of similar texts can agree in many of their low bits, so
// spread them with a multiplicative step before taking a slot.
uint32_t home_slot(const HashTree* tree, uint32_t key) { return (key * 0x9E3779B1u) >> tree->shift; }

HashTreeSlot* find_slot(const HashTree* tree, uint32_t key) {
  uint32_t index = home_slot(tree, key);
  for (;;) {
    HashTreeSlot* slot = &tree->slots[index];
    if (slot->count == 0 || slot->key == key) return slot;
    index = (index + 1) & tree->mask;
  }
}
}  // namespace

HashTree* hash_tree_new(uint32_t expected) {
  // At most four fifths full: short probes, and a table small enough to
  // stay in the caches for longer.
  uint32_t bits = 3;
  while ((uint64_t{1} << bits) * 4 < uint64_t{5} * expected) ++bits;
  uint64_t bytes = sizeof(HashTree) + (uint64_t{1} << bits) * sizeof(HashTreeSlot);
  if (bytes > largest_table_bytes) return nullptr;
  // A census lives only while two Sections are matched; it takes one
  // zero-filled block from the system (asking the user if there is none),
  // the record followed by its slots.
  auto* tree = static_cast<HashTree*>(system_alloc_or_ask(static_cast<uint32_t>(bytes)));
  if (!tree) return nullptr;
  tree->mask = (uint32_t{1} << bits) - 1;
  tree->shift = 32 - bits;
  tree->used = 0;
  tree->slots = reinterpret_cast<HashTreeSlot*>(tree + 1);
  return tree;
}

void hash_tree_add(HashTree* tree, uint32_t key, Line* line) {
  if (!tree) return;
  HashTreeSlot* slot = find_slot(tree, key);
  if (slot->count == 0) {
    if (tree->used + 1 > tree->mask) return;
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
