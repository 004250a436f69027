// Segments of 512 units of 64 bytes. A segment's header fills its first two
// units: system handle, next segment, free count, and a bitmap with a set bit
// for every free unit (bit k of word w is unit 32w + k + 1); the first
// segment's header also holds the heap's lock. A run of units carries a
// 4-byte marker, the number of its first unit, in its last four bytes, so the
// caller's memory starts on a unit boundary and the segment is found again
// from the address alone.
#include "twyndle/engine/unit_heap.h"

#include <cstring>
#include <mutex>
#include <new>

#include "twyndle/engine/system_memory.h"

namespace {
constexpr uint32_t bitmap_words = heap_segment_units / 32;
constexpr uint32_t header_units = 2;

struct Segment {
  void* handle;          // the system handle of the segment (its own address)
  Segment* next;         // the next segment of the chain
  uint32_t free_units;   // set bits in the bitmap
  uint32_t bitmap[bitmap_words];
  alignas(std::mutex) unsigned char lock_space[sizeof(std::mutex)];  // first segment only
};

static_assert(sizeof(Segment) <= header_units * heap_unit_bytes, "the header fits two units");

std::mutex& lock_of(UnitHeap* heap) {
  return *std::launder(reinterpret_cast<std::mutex*>(reinterpret_cast<Segment*>(heap)->lock_space));
}

Segment* first_segment(UnitHeap* heap) { return reinterpret_cast<Segment*>(heap); }

int32_t next_bit(const uint32_t* map, uint32_t from, bool set) {
  uint32_t word_index = from / 32;
  if (word_index >= bitmap_words) return heap_segment_units;
  uint32_t word = (set ? map[word_index] : ~map[word_index]) & (~0u << (from % 32));
  while (!word) {
    if (++word_index == bitmap_words) return heap_segment_units;
    word = set ? map[word_index] : ~map[word_index];
  }
  return static_cast<int32_t>(word_index * 32 + __builtin_ctz(word));
}

// The bit index of the first run of `units` free units, lowest first; -1 if none.
int32_t find_run(const uint32_t* map, uint32_t units) {
  uint32_t from = 0;
  while (from < heap_segment_units) {
    int32_t start = next_bit(map, from, true);
    if (start >= static_cast<int32_t>(heap_segment_units)) return -1;
    int32_t end = next_bit(map, start, false);
    if (static_cast<uint32_t>(end - start) >= units) return start;
    from = end;
  }
  return -1;
}

void mark_bits(uint32_t* map, uint32_t first, uint32_t count, bool free) {
  for (uint32_t bit = first; bit < first + count; ++bit) {
    uint32_t mask = 1u << (bit % 32);
    if (free) {
      map[bit / 32] |= mask;
    } else {
      map[bit / 32] &= ~mask;
    }
  }
}

Segment* new_segment() {
  auto* segment = static_cast<Segment*>(system_alloc_or_ask(heap_segment_bytes));
  if (!segment) return nullptr;
  segment->handle = segment;
  segment->next = nullptr;
  std::memset(segment->bitmap, 0xFF, sizeof segment->bitmap);
  mark_bits(segment->bitmap, 0, header_units, false);
  segment->free_units = heap_segment_units - header_units;
  return segment;
}

char* take_run(Segment* segment, uint32_t units) {
  int32_t bit = find_run(segment->bitmap, units);
  if (bit < 0) return nullptr;
  mark_bits(segment->bitmap, bit, units, false);
  segment->free_units -= units;
  char* run = reinterpret_cast<char*>(segment) + bit * heap_unit_bytes;
  uint32_t marker = static_cast<uint32_t>(bit) + 1;
  std::memcpy(run + units * heap_unit_bytes - 4, &marker, 4);
  return run;
}

// With the heap's lock held: a run from the chain, or from a new segment
// linked in directly after the first.
char* take_from_chain(UnitHeap* heap, uint32_t units) {
  Segment* first = first_segment(heap);
  for (Segment* segment = first; segment; segment = segment->next) {
    if (segment->free_units < units) continue;
    if (char* run = take_run(segment, units)) return run;
  }
  Segment* segment = new_segment();
  if (!segment) return nullptr;
  segment->next = first->next;
  first->next = segment;
  return take_run(segment, units);
}
}  // namespace

uint32_t heap_units_for(int32_t bytes) {
  if (bytes <= 0 || bytes > heap_unit_limit) return 0;
  return (static_cast<uint32_t>(bytes) + 67) / heap_unit_bytes;
}

UnitHeap* heap_create() {
  Segment* segment = new_segment();
  if (!segment) return nullptr;
  new (segment->lock_space) std::mutex;
  return reinterpret_cast<UnitHeap*>(segment);
}

void* heap_alloc(UnitHeap* heap, int32_t bytes) {
  if (!heap || bytes <= 0) return nullptr;
  if (bytes > heap_unit_limit) return system_alloc_or_ask(static_cast<uint32_t>(bytes));
  char* run;
  {
    std::lock_guard<std::mutex> hold(lock_of(heap));
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
  std::lock_guard<std::mutex> hold(lock_of(heap));
  std::memcpy(&marker, run + units * heap_unit_bytes - 4, 4);
  auto* segment = reinterpret_cast<Segment*>(run - (marker - 1) * heap_unit_bytes);
  mark_bits(segment->bitmap, marker - 1, units, true);
  segment->free_units += units;
}

void heap_destroy(UnitHeap* heap) {
  if (!heap) return;
  Segment* first = first_segment(heap);
  lock_of(heap).~mutex();
  for (Segment* segment = first; segment;) {
    Segment* next = segment->next;
    system_free(segment->handle);
    segment = next;
  }
}

uint32_t heap_free_units(UnitHeap* heap) {
  if (!heap) return 0;
  std::lock_guard<std::mutex> hold(lock_of(heap));
  uint32_t free_units = 0;
  for (Segment* segment = first_segment(heap); segment; segment = segment->next) free_units += segment->free_units;
  return free_units;
}

uint32_t heap_segment_count(UnitHeap* heap) {
  if (!heap) return 0;
  std::lock_guard<std::mutex> hold(lock_of(heap));
  uint32_t count = 0;
  for (Segment* segment = first_segment(heap); segment; segment = segment->next) ++count;
  return count;
}
