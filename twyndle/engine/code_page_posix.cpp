// Lead-byte ranges of the double-byte ANSI code pages, for systems that do
// not know them. The system default here is single-byte.
#include <atomic>

#include "twyndle/engine/code_page.h"

namespace {
std::atomic<unsigned> chosen{0};
}

void code_page_use(unsigned code_page) { chosen.store(code_page, std::memory_order_relaxed); }

bool is_lead_byte(unsigned char c) {
  switch (chosen.load(std::memory_order_relaxed)) {
    case 932: return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    case 936:
    case 949:
    case 950: return c >= 0x81 && c <= 0xFE;
    default: return false;
  }
}

void text_lower(char* text) {
  if (!text) return;
  for (unsigned char* p = reinterpret_cast<unsigned char*>(text); *p; ++p) {
    if (is_lead_byte(*p)) {
      if (!p[1]) break;
      ++p;
    } else if (*p >= 'A' && *p <= 'Z') {
      *p = static_cast<unsigned char>(*p - 'A' + 'a');
    }
  }
}
