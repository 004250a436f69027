#include "twyndle/engine/name_compare.h"

#include "twyndle/engine/code_page.h"

namespace {
char ascii_lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool names_equal_ignoring_case(const char* a, const char* b) {
  if (!a || !b) return a == b;
  for (;;) {
    if (is_lead_byte(static_cast<unsigned char>(*a))) {
      if (a[0] != b[0] || a[1] != b[1]) return false;
      if (!a[1]) return true;
      a += 2;
      b += 2;
      continue;
    }
    if (ascii_lower(*a) != ascii_lower(*b)) return false;
    if (!*a) return true;
    ++a;
    ++b;
  }
}
