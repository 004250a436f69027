// The engine's shared heap and its text helpers. engine_start makes
// engine_heap once, at start-up, before any compare; every engine record
// and text that is not a list item comes from it.
#pragma once

#include <cstdint>

#include "twyndle/engine/unit_heap.h"

extern UnitHeap* engine_heap;

// Makes engine_heap if there is none yet; false when it cannot be made.
bool engine_start();
// Destroys engine_heap (at exit, or between tests).
void engine_stop();

// Zero-filled memory from engine_heap, and its release with the same size.
void* engine_alloc(int32_t bytes);
void engine_free(void* memory, int32_t bytes);

// A new NUL-terminated copy of `length` bytes of `text` (none for no text).
char* text_new_n(const char* text, uint32_t length);
// A new copy of a NUL-terminated text.
char* text_new(const char* text);
// Frees a text made by text_new / text_new_n (or any engine text whose
// size is its length plus one).
void text_free(char* text);
