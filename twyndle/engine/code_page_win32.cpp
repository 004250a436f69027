// Lead bytes and lower case as the platform knows them, in the system's
// ANSI code page unless another is chosen.
#include <windows.h>

#include <atomic>

#include "twyndle/engine/code_page.h"

namespace {
std::atomic<unsigned> chosen{0};
}

void code_page_use(unsigned code_page) { chosen.store(code_page, std::memory_order_relaxed); }

bool is_lead_byte(unsigned char c) {
  unsigned code_page = chosen.load(std::memory_order_relaxed);
  return IsDBCSLeadByteEx(code_page ? code_page : CP_ACP, c) != 0;
}

// Single bytes are lowered by the system in its own code page; with another
// code page chosen only A to Z are, since the system's table would not fit.
void text_lower(char* text) {
  if (!text) return;
  bool system_table = chosen.load(std::memory_order_relaxed) == 0;
  for (char* p = text; *p; ++p) {
    if (is_lead_byte(static_cast<unsigned char>(*p))) {
      if (!p[1]) break;
      ++p;
    } else if (system_table) {
      CharLowerBuffA(p, 1);
    } else if (*p >= 'A' && *p <= 'Z') {
      *p = static_cast<char>(*p - 'A' + 'a');
    }
  }
}
