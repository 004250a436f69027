// The main window's placement as kept in the "WinPos" key of scriv32.ini:
// ten numbers "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", the fields of the platform's
// window-placement record after its length.
#pragma once

#include <cstdint>
#include <string>

// Placement flag: restore to maximised after being minimised.
constexpr uint32_t win_pos_restore_maximized = 2;

// Show commands, numbered as the platform numbers them.
enum ShowCommand : uint32_t { show_normal = 1, show_minimized = 2, show_maximized = 3 };

struct WinPos {
  uint32_t flags;
  uint32_t show_command;
  int32_t min_x, min_y;           // minimised position
  int32_t max_x, max_y;           // maximised position
  int32_t left, top, right, bottom;  // normal position
};

// True when the text gives all ten numbers (the first two not negative);
// an empty or malformed text counts as no placement.
bool parse_win_pos(const std::string& text, WinPos* pos);
std::string format_win_pos(const WinPos& pos);

// The show command to apply at start-up: the saved one, with minimised
// replaced by normal, unless the program was started with a command other
// than normal, which then wins.
uint32_t start_show_command(uint32_t saved, uint32_t started_with);

// The placement to save for a window read as `current`: restore to maximised
// when the window is maximised now, no minimised position.
WinPos placement_to_save(const WinPos& current, bool maximized);
