#include <windows.h>

#include "twyndle/engine/system_memory.h"

// Fixed global memory: the handle is the address, so no lock is needed.
const SystemMemory& system_memory_default() {
  static const SystemMemory memory = {
      [](uint32_t bytes, bool zero_fill) -> void* {
        return bytes ? GlobalAlloc(zero_fill ? GPTR : GMEM_FIXED, bytes) : nullptr;
      },
      [](void* block) { GlobalFree(block); },
  };
  return memory;
}
