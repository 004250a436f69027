#include <cstdlib>

#include "twyndle/engine/system_memory.h"

const SystemMemory& system_memory_default() {
  static const SystemMemory memory = {
      [](uint32_t bytes, bool zero_fill) -> void* {
        if (!bytes) return nullptr;
        return zero_fill ? std::calloc(1, bytes) : std::malloc(bytes);
      },
      [](void* block) { std::free(block); },
  };
  return memory;
}
