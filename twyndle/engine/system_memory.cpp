#include "twyndle/engine/system_memory.h"

#include <atomic>
#include <cstdlib>

#include "twyndle/engine/ui_seam.h"

namespace {
std::atomic<const SystemMemory*> installed{nullptr};

const SystemMemory& backend() {
  const SystemMemory* current = installed.load(std::memory_order_acquire);
  return current ? *current : system_memory_default();
}
}  // namespace

void system_memory_install(const SystemMemory* memory) {
  installed.store(memory, std::memory_order_release);
}

void* system_alloc(uint32_t bytes) { return backend().alloc(bytes, true); }

void* system_alloc_uncleared(uint32_t bytes) { return backend().alloc(bytes, false); }

void system_free(void* memory) {
  if (memory) backend().release(memory);
}

void* system_alloc_or_ask(uint32_t bytes) {
  for (;;) {
    void* memory = system_alloc(bytes);
    if (memory) return memory;
    MessageAnswer answer = ui_message("Memory allocation failed", "Out Of Memory", MessageIcon::error,
                                      MessageButtons::abort_retry_ignore);
    if (answer == MessageAnswer::abort) std::exit(1);
    if (answer != MessageAnswer::retry) return nullptr;
  }
}
