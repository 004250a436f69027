// Without resources the engine's own texts are the string table.
#include <cstring>

#include "twyndle/engine/engine_strings.h"

void engine_string(int32_t id, char* buffer, uint32_t size) {
  if (!buffer || size == 0) return;
  const char* text = engine_string_builtin(id);
  buffer[0] = '\0';
  if (text) std::strncat(buffer, text, size - 1);
}
