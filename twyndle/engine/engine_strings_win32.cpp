// The string table of the running program (LoadStringA), with the engine's
// own texts for a program or test that carries none.
#include <windows.h>

#include <cstring>

#include "twyndle/engine/engine_strings.h"

void engine_string(int32_t id, char* buffer, uint32_t size) {
  if (!buffer || size == 0) return;
  buffer[0] = '\0';
  if (LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, static_cast<int>(size)) > 0) return;
  const char* text = engine_string_builtin(id);
  if (text) std::strncat(buffer, text, size - 1);
}
