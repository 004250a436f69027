#include "twyndle/engine/room_index.h"

#include <cstring>

#include "twyndle/engine/system_memory.h"

namespace {
uint64_t* map_of(const RoomIndex* index, uint32_t units) { return index->maps + (units - 1) * index->words; }

// The highest set bit among numbers 1 .. limit - 1 (number 0, the first
// segment, is looked at on its own), or room_none.
uint32_t highest_below(const uint64_t* map, uint32_t limit) {
  if (limit <= 1) return room_none;
  uint32_t last = limit - 1;
  uint32_t w = last / 64;
  uint64_t word = map[w] & (~0ull >> (63 - last % 64));
  for (;;) {
    if (w == 0) word &= ~1ull;
    if (word) return w * 64 + 63 - static_cast<uint32_t>(__builtin_clzll(word));
    if (w == 0) return room_none;
    word = map[--w];
  }
}

bool grow(RoomIndex* index) {
  uint32_t words = index->words ? index->words * 2 : 1;
  auto* segments = static_cast<void**>(system_alloc_or_ask(words * 64 * sizeof(void*)));
  auto* maps = segments ? static_cast<uint64_t*>(system_alloc_or_ask(room_classes * words * 8)) : nullptr;
  if (!maps) {
    system_free(segments);
    return false;
  }
  if (index->words) {
    std::memcpy(segments, index->segments, index->count * sizeof(void*));
    for (uint32_t units = 1; units <= room_classes; ++units) {
      std::memcpy(maps + (units - 1) * words, map_of(index, units), index->words * 8);
    }
  }
  room_index_release(index);
  index->segments = segments;
  index->maps = maps;
  index->words = words;
  return true;
}
}  // namespace

uint32_t room_index_add(RoomIndex* index, void* segment, uint32_t bound) {
  if (index->count == index->words * 64 && !grow(index)) return room_none;
  uint32_t number = index->count++;
  index->segments[number] = segment;
  room_index_change(index, number, 0, bound);
  return number;
}

void room_index_change(RoomIndex* index, uint32_t number, uint32_t before, uint32_t after) {
  uint64_t bit = 1ull << (number % 64);
  for (uint32_t units = after + 1; units <= before && units <= room_classes; ++units) {
    map_of(index, units)[number / 64] &= ~bit;
  }
  for (uint32_t units = before + 1; units <= after && units <= room_classes; ++units) {
    map_of(index, units)[number / 64] |= bit;
  }
}

uint32_t room_index_first(const RoomIndex* index, uint32_t units) {
  if (!index->count) return room_none;
  const uint64_t* map = map_of(index, units);
  return (map[0] & 1) ? 0 : highest_below(map, index->count);
}

uint32_t room_index_next(const RoomIndex* index, uint32_t units, uint32_t number) {
  return highest_below(map_of(index, units), number == 0 ? index->count : number);
}

void room_index_release(RoomIndex* index) {
  system_free(index->segments);
  system_free(index->maps);
  index->segments = nullptr;
  index->maps = nullptr;
}
