// UnitHeap: a small-object heap of 32 KB segments divided into 64-byte
// units. Requests up to heap_unit_limit bytes take a run of
// (bytes + 67) / 64 units (the caller's bytes plus a 4-byte run marker),
// found first fit from the lowest unit; larger requests go to the system.
// Memory handed out is zero-filled. Each heap has its own lock, held in the
// heap's record beside its chain of segments, so the worker and the main
// thread may allocate at once.
#pragma once

#include <cstdint>

constexpr int32_t heap_unit_limit = 10000;   // larger requests go to the system
constexpr uint32_t heap_unit_bytes = 64;
constexpr uint32_t heap_segment_bytes = 32768;
constexpr uint32_t heap_segment_units = 512;  // the first two hold the header

struct UnitHeap;

// A new heap of one segment, or none (the user has been asked first).
UnitHeap* heap_create();
// Zero-filled memory of `bytes` bytes, or none for `bytes` of 0 or less.
void* heap_alloc(UnitHeap* heap, int32_t bytes);
// Gives back memory; `bytes` is the size asked for. Nothing for 0 or less.
void heap_free(UnitHeap* heap, void* memory, int32_t bytes);
// Frees every segment and the lock.
void heap_destroy(UnitHeap* heap);

// The units a request of `bytes` takes (0 when served by the system).
uint32_t heap_units_for(int32_t bytes);
// Free units over all segments, and the number of segments (for checks).
uint32_t heap_free_units(UnitHeap* heap);
uint32_t heap_segment_count(UnitHeap* heap);
