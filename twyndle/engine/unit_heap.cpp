// Segments of 512 units of 64 bytes. A segment's header fills its first two
// units: system handle, next segment, free count, a bound on its longest
// free run, its creation number, and a bitmap with a set bit for every
// free unit (bit k of word w is unit 32w + k + 1). A run of units carries a
// 4-byte marker, the number of its first unit, in its last four bytes, so
// the caller's memory starts on a unit boundary and the segment is found
// again from the address alone.
//
// Finding room stays first fit (the lowest run of the first segment in the
// chain that has one) without walking past every full segment on each
// request: the room index (room_index.h) names, for each run length up to
// room_classes, the segments whose bound reaches it, in chain order. A
// failed search in a segment lowers its bound to what was not found; a free
// raises it to the segment's free count, which no run can pass (so each
// free costs at most one failed search later). After many frees a second
// compare therefore finds its room as quickly as the first did, and gets
// the place a walk from the first segment would have given it.
#include "twyndle/engine/unit_heap.h"

#include <cstring>
#include <mutex>
#include <new>

#include "twyndle/engine/room_index.h"
#include "twyndle/engine/system_memory.h"

namespace {
constexpr uint32_t header_units = 2;
constexpr uint32_t bitmap_words = heap_segment_units / 32;

uint32_t low_bit(uint32_t word) { return static_cast<uint32_t>(__builtin_ctz(word)); }

// The first bit at or after `from` that is set (or clear); the bit count if none.
uint32_t next_bit(const uint32_t* map, uint32_t from, bool set) {
  uint32_t index = from / 32;
  if (index >= bitmap_words) return heap_segment_units;
  uint32_t word = (set ? map[index] : ~map[index]) & (~0u << (from % 32));
  while (!word) {
    if (++index == bitmap_words) return heap_segment_units;
    word = set ? map[index] : ~map[index];
  }
  return index * 32 + low_bit(word);
}


// The mask of bits first .. last within one word (0 <= first <= last < 32).
uint32_t span_mask(uint32_t first, uint32_t last) { return (~0u << first) & (~0u >> (31 - last)); }

// The first unit of the lowest run of at least `units` free units; -1 if none.
int32_t find_run(const uint32_t* map, uint32_t units) {
  uint32_t from = 0;
  while (from < heap_segment_units) {
    uint32_t start = next_bit(map, from, true);
    if (start >= heap_segment_units) return -1;
    uint32_t end = next_bit(map, start, false);
    if (end - start >= units) return static_cast<int32_t>(start);
    from = end;
  }
  return -1;
}

// Marks `count` units from `first` on free or used, a word at a time.
void mark_units(uint32_t* map, uint32_t first, uint32_t count, bool free) {
  uint32_t bit = first;
  uint32_t end = first + count;
  while (bit < end) {
    uint32_t last = (bit / 32 == (end - 1) / 32) ? (end - 1) % 32 : 31;
    uint32_t mask = span_mask(bit % 32, last);
    if (free) {
      map[bit / 32] |= mask;
    } else {
      map[bit / 32] &= ~mask;
    }
    bit = bit / 32 * 32 + last + 1;
  }
}


struct Segment {
  void* handle;         // the system handle of the segment (its own address)
  Segment* next;        // the next segment of the chain
  uint16_t free_units;  // set bits in the bitmap
  uint16_t run_bound;   // no free run is longer; at most free_units
  uint32_t number;      // creation number: 0 for the first, then rising
  uint32_t bitmap[bitmap_words];
};

static_assert(sizeof(Segment) <= header_units * heap_unit_bytes, "the header fits two units");
}  // namespace

struct UnitHeap {
  std::mutex lock;
  Segment* first;  // the chain: the first segment, then the others newest first
  RoomIndex room;  // which segments may have room for short runs
};

namespace {
void set_bound(UnitHeap* heap, Segment* segment, uint32_t bound) {
  if (bound < room_classes || segment->run_bound < room_classes) {
    room_index_change(&heap->room, segment->number, segment->run_bound, bound);
  }
  segment->run_bound = static_cast<uint16_t>(bound);
}

// A new segment, all units free but the header's, numbered in the index.
Segment* new_segment(UnitHeap* heap) {
  auto* segment = static_cast<Segment*>(system_alloc_or_ask(heap_segment_bytes));
  if (!segment) return nullptr;
  segment->handle = segment;
  segment->next = nullptr;
  std::memset(segment->bitmap, 0xFF, sizeof segment->bitmap);
  mark_units(segment->bitmap, 0, header_units, false);
  segment->free_units = heap_segment_units - header_units;
  segment->run_bound = segment->free_units;
  segment->number = room_index_add(&heap->room, segment, segment->run_bound);
  if (segment->number == room_none) {
    system_free(segment);
    return nullptr;
  }
  return segment;
}

// With the heap's lock held: the lowest run of `units` in the segment, or
// none (and the segment's bound drops below `units`).
char* take_run(UnitHeap* heap, Segment* segment, uint32_t units) {
  int32_t bit = find_run(segment->bitmap, units);
  if (bit < 0) {
    set_bound(heap, segment, units - 1);
    return nullptr;
  }
  mark_units(segment->bitmap, bit, units, false);
  segment->free_units = static_cast<uint16_t>(segment->free_units - units);
  if (segment->run_bound > segment->free_units) set_bound(heap, segment, segment->free_units);
  char* run = reinterpret_cast<char*>(segment) + bit * heap_unit_bytes;
  uint32_t marker = static_cast<uint32_t>(bit) + 1;
  std::memcpy(run + units * heap_unit_bytes - 4, &marker, 4);
  return run;
}

Segment* segment_numbered(UnitHeap* heap, uint32_t number) {
  return number == room_none ? nullptr : static_cast<Segment*>(heap->room.segments[number]);
}

// With the heap's lock held: the lowest run of the first segment in chain
// order that has one, or one from a new segment linked in after the first.
// Runs longer than the index knows look among the segments that may hold
// its longest length.
char* take_from_chain(UnitHeap* heap, uint32_t units) {
  if (heap->first->run_bound >= units) {
    if (char* run = take_run(heap, heap->first, units)) return run;
  }
  uint32_t known = units < room_classes ? units : room_classes;
  for (Segment* segment = segment_numbered(heap, room_index_first(&heap->room, known)); segment;
       segment = segment_numbered(heap, room_index_next(&heap->room, known, segment->number))) {
    if (segment->run_bound < units) continue;
    if (char* run = take_run(heap, segment, units)) return run;
  }
  Segment* segment = new_segment(heap);
  if (!segment) return nullptr;
  segment->next = heap->first->next;
  heap->first->next = segment;
  return take_run(heap, segment, units);
}
}  // namespace

uint32_t heap_units_for(int32_t bytes) {
  if (bytes <= 0 || bytes > heap_unit_limit) return 0;
  return (static_cast<uint32_t>(bytes) + 67) / heap_unit_bytes;
}

UnitHeap* heap_create() {
  void* record = system_alloc_or_ask(sizeof(UnitHeap));
  if (!record) return nullptr;
  auto* heap = new (record) UnitHeap;
  heap->room = RoomIndex{nullptr, nullptr, 0, 0};
  heap->first = new_segment(heap);
  if (!heap->first) {
    heap_destroy(heap);
    return nullptr;
  }
  return heap;
}

void* heap_alloc(UnitHeap* heap, int32_t bytes) {
  if (!heap || bytes <= 0) return nullptr;
  if (bytes > heap_unit_limit) return system_alloc_or_ask(static_cast<uint32_t>(bytes));
  char* run;
  {
    std::lock_guard<std::mutex> hold(heap->lock);
    run = take_from_chain(heap, heap_units_for(bytes));
  }
  if (run) std::memset(run, 0, static_cast<size_t>(bytes));
  return run;
}

void heap_free(UnitHeap* heap, void* memory, int32_t bytes) {
  if (!heap || !memory || bytes <= 0) return;
  if (bytes > heap_unit_limit) {
    system_free(memory);
    return;
  }
  uint32_t units = heap_units_for(bytes);
  char* run = static_cast<char*>(memory);
  uint32_t marker;
  std::lock_guard<std::mutex> hold(heap->lock);
  std::memcpy(&marker, run + units * heap_unit_bytes - 4, 4);
  auto* segment = reinterpret_cast<Segment*>(run - (marker - 1) * heap_unit_bytes);
  mark_units(segment->bitmap, marker - 1, units, true);
  segment->free_units = static_cast<uint16_t>(segment->free_units + units);
  set_bound(heap, segment, segment->free_units);
}

void heap_destroy(UnitHeap* heap) {
  if (!heap) return;
  for (Segment* segment = heap->first; segment;) {
    Segment* next = segment->next;
    system_free(segment->handle);
    segment = next;
  }
  room_index_release(&heap->room);
  heap->~UnitHeap();
  system_free(heap);
}

uint32_t heap_free_units(UnitHeap* heap) {
  if (!heap) return 0;
  std::lock_guard<std::mutex> hold(heap->lock);
  uint32_t free_units = 0;
  for (Segment* segment = heap->first; segment; segment = segment->next) free_units += segment->free_units;
  return free_units;
}

uint32_t heap_segment_count(UnitHeap* heap) {
  if (!heap) return 0;
  std::lock_guard<std::mutex> hold(heap->lock);
  uint32_t count = 0;
  for (Segment* segment = heap->first; segment; segment = segment->next) ++count;
  return count;
}
