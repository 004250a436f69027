// Texts of the program's string table that the engine shows.
#pragma once

#include <cstdint>

enum : int32_t {
  string_different_sizes = 5011,  // "different sizes"
  string_same_size = 5012,        // "same size"
  string_identical = 5013,        // "identical"
};

// Copies string `id` of the program's string table into `buffer` (cut to
// `size` - 1 bytes, NUL-terminated); the engine's own texts stand in when
// the program carries no such string. Empty for an unknown id.
void engine_string(int32_t id, char* buffer, uint32_t size);

// The engine's own text for `id`, none for an id it does not know.
const char* engine_string_builtin(int32_t id);
