#include "twyndle/engine/engine_memory.h"

#include <cstring>

UnitHeap* engine_heap = nullptr;

bool engine_start() {
  if (!engine_heap) engine_heap = heap_create();
  return engine_heap != nullptr;
}

void engine_stop() {
  heap_destroy(engine_heap);
  engine_heap = nullptr;
}

void* engine_alloc(int32_t bytes) { return heap_alloc(engine_heap, bytes); }

void engine_free(void* memory, int32_t bytes) { heap_free(engine_heap, memory, bytes); }

char* text_new_n(const char* text, uint32_t length) {
  if (!text || length >= 0x7FFFFFFFu) return nullptr;
  auto* copy = static_cast<char*>(engine_alloc(static_cast<int32_t>(length) + 1));
  if (copy) std::memcpy(copy, text, length);
  return copy;
}

char* text_new(const char* text) { return text ? text_new_n(text, std::strlen(text)) : nullptr; }

void text_free(char* text) {
  if (text) engine_free(text, static_cast<int32_t>(std::strlen(text)) + 1);
}
