#include "twyndle/app/win_pos.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {
// Reads one decimal number at `text` (blanks before it allowed) into `value`
// and moves `text` past it. False when there is no number or it overflows.
bool read_number(const char*& text, long long* value) {
  char* end = nullptr;
  errno = 0;
  long long number = std::strtoll(text, &end, 10);
  if (end == text || errno == ERANGE) return false;
  *value = number;
  text = end;
  return true;
}

bool in_int32(long long value) { return value >= INT32_MIN && value <= INT32_MAX; }
}  // namespace

bool parse_win_pos(const std::string& text, WinPos* pos) {
  long long numbers[10];
  const char* cursor = text.c_str();
  for (int i = 0; i < 10; ++i) {
    if (i > 0 && *cursor++ != ',') return false;
    if (!read_number(cursor, &numbers[i])) return false;
    bool fits = i < 2 ? numbers[i] >= 0 && numbers[i] <= UINT32_MAX : in_int32(numbers[i]);
    if (!fits) return false;
  }
  *pos = WinPos{static_cast<uint32_t>(numbers[0]), static_cast<uint32_t>(numbers[1]),
                static_cast<int32_t>(numbers[2]), static_cast<int32_t>(numbers[3]),
                static_cast<int32_t>(numbers[4]), static_cast<int32_t>(numbers[5]),
                static_cast<int32_t>(numbers[6]), static_cast<int32_t>(numbers[7]),
                static_cast<int32_t>(numbers[8]), static_cast<int32_t>(numbers[9])};
  return true;
}

std::string format_win_pos(const WinPos& pos) {
  char text[160];
  std::snprintf(text, sizeof text, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", static_cast<unsigned>(pos.flags),
                static_cast<unsigned>(pos.show_command), static_cast<int>(pos.min_x),
                static_cast<int>(pos.min_y), static_cast<int>(pos.max_x), static_cast<int>(pos.max_y),
                static_cast<int>(pos.left), static_cast<int>(pos.top), static_cast<int>(pos.right),
                static_cast<int>(pos.bottom));
  return text;
}

uint32_t start_show_command(uint32_t saved, uint32_t started_with) {
  if (started_with != show_normal) return started_with;
  return saved == show_minimized ? show_normal : saved;
}

WinPos placement_to_save(const WinPos& current, bool maximized) {
  WinPos pos = current;
  pos.flags = maximized ? win_pos_restore_maximized : 0;
  pos.min_x = 0;
  pos.min_y = 0;
  return pos;
}
