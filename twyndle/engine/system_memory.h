// Memory taken straight from the system, for list blocks, heap segments and
// large heap requests. The backend can be replaced (tests make it fail).
#pragma once

#include <cstdint>

struct SystemMemory {
  // Memory of `bytes` bytes (zero-filled when asked), or none.
  void* (*alloc)(uint32_t bytes, bool zero_fill);
  void (*release)(void* memory);
};

// Installs a backend (none restores the platform default: GlobalAlloc and
// GlobalFree on Windows, calloc and free elsewhere). Not owned.
void system_memory_install(const SystemMemory* backend);
const SystemMemory& system_memory_default();

// Zero-filled memory, or none.
void* system_alloc(uint32_t bytes);
// Memory whose contents are left as they are (for list blocks), or none.
void* system_alloc_uncleared(uint32_t bytes);
void system_free(void* memory);

// system_alloc, asking the user "Memory allocation failed" (Abort / Retry /
// Ignore) while it fails: Abort ends the process with exit code 1, Retry
// asks the system again, Ignore gives up and returns none.
void* system_alloc_or_ask(uint32_t bytes);
