#include "twyndle/engine/engine_strings.h"

const char* engine_string_builtin(int32_t id) {
  switch (id) {
    case string_different_sizes: return "different sizes";
    case string_same_size: return "same size";
    case string_identical: return "identical";
    default: return nullptr;
  }
}
