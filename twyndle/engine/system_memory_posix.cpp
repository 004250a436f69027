#include <cstdlib>

#include "twyndle/engine/system_memory.h"

const SystemMemory& system_memory_default() {
  static const SystemMemory memory = {
      [](uint32_t bytes) -> void* { return bytes ? std::calloc(1, bytes) : nullptr; },
      [](void* block) { std::free(block); },
  };
  return memory;
}
