// Which heap segments may have room for a run of 1 .. room_classes units,
// kept as one bitmap per run length over the segments' creation numbers.
// The heap's chain holds the first segment (number 0) and then the others
// newest first, so chain order is number 0 followed by falling numbers: the
// first segment in chain order that may have room is found by looking at
// bit 0 and then for the highest set bit, a word at a time, instead of
// walking past every full segment.
//
// A set bit means "may have room" (the segment's bound on its longest free
// run reaches the length); the heap checks the segment itself and lowers
// the bound when the search fails.
#pragma once

#include <cstdint>

constexpr uint32_t room_classes = 16;
constexpr uint32_t room_none = 0xFFFFFFFFu;

struct RoomIndex {
  void** segments;  // the segment of each creation number
  uint64_t* maps;   // room_classes bitmaps of `words` words; map c: run of c + 1 units
  uint32_t count;   // segments numbered so far
  uint32_t words;   // words in each bitmap
};

// Numbers a new segment whose longest free run is at most `bound` units;
// room_none when the index cannot grow (the user has been asked first).
uint32_t room_index_add(RoomIndex* index, void* segment, uint32_t bound);
// A segment's bound changed from `before` to `after`.
void room_index_change(RoomIndex* index, uint32_t number, uint32_t before, uint32_t after);
// The number of the first segment in chain order that may have a run of
// `units` (at most room_classes), or room_none.
uint32_t room_index_first(const RoomIndex* index, uint32_t units);
// The next such segment in chain order after segment `number`, or room_none.
uint32_t room_index_next(const RoomIndex* index, uint32_t units, uint32_t number);
void room_index_release(RoomIndex* index);
