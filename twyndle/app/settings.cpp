#include "twyndle/app/settings.h"

#include <cstdlib>
#include <string>

#include "twyndle/app/font_keys.h"
#include "twyndle/app/win_pos.h"

namespace {
const char section_twyndle[] = "Twyndle";
const char section_font[] = "Font";

WinPos win_pos_of(const WINDOWPLACEMENT& placement) {
  return WinPos{placement.flags, placement.showCmd, placement.ptMinPosition.x, placement.ptMinPosition.y,
                placement.ptMaxPosition.x, placement.ptMaxPosition.y, placement.rcNormalPosition.left,
                placement.rcNormalPosition.top, placement.rcNormalPosition.right,
                placement.rcNormalPosition.bottom};
}

WINDOWPLACEMENT placement_of(const WinPos& pos) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  placement.flags = pos.flags;
  placement.showCmd = pos.show_command;
  placement.ptMinPosition = POINT{pos.min_x, pos.min_y};
  placement.ptMaxPosition = POINT{pos.max_x, pos.max_y};
  placement.rcNormalPosition = RECT{pos.left, pos.top, pos.right, pos.bottom};
  return placement;
}

std::string read_text(const char* section, const char* key, const char* fallback, size_t max_chars) {
  std::string buffer(max_chars + 1, '\0');
  DWORD length = GetPrivateProfileStringA(section, key, fallback, &buffer[0], static_cast<DWORD>(buffer.size()),
                                          ini_file_name);
  buffer.resize(length);
  return buffer;
}
// A number key; negative heights are common, so the text is read and
// converted here. Text that is no number reads as 0.
int32_t read_int(const char* section, const char* key, int32_t fallback) {
  std::string text = read_text(section, key, "", 32);
  if (text.empty()) return fallback;
  return static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
}
}  // namespace

void save_placement(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window, &placement)) return;
  WinPos pos = placement_to_save(win_pos_of(placement), IsZoomed(window) != FALSE);
  WritePrivateProfileStringA(section_twyndle, "WinPos", format_win_pos(pos).c_str(), ini_file_name);
}

void apply_placement(HWND window, int started_with) {
  WinPos pos{};
  if (!parse_win_pos(read_text(section_twyndle, "WinPos", "", 255), &pos)) {
    ShowWindow(window, SW_SHOWMAXIMIZED);
    return;
  }
  pos.show_command = start_show_command(pos.show_command, static_cast<uint32_t>(started_with));
  WINDOWPLACEMENT placement = placement_of(pos);
  SetWindowPlacement(window, &placement);
}

int resolve_show_command(int show_command) {
  if (show_command != SW_SHOWDEFAULT) return show_command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
}

ScreenFont load_screen_font() {
  FontKeys keys = read_font_keys(
      [](const char* key, int32_t fallback) { return read_int(section_font, key, fallback); },
      [](const char* key, const char* fallback, size_t max_chars) {
        return read_text(section_font, key, fallback, max_chars);
      });
  ScreenFont font{};
  if (keys.height == 0) return font;
  LOGFONTA& description = font.description;
  description.lfHeight = keys.height;
  description.lfWeight = keys.weight;
  description.lfItalic = keys.italic;
  description.lfCharSet = keys.char_set;
  description.lfQuality = PROOF_QUALITY;
  description.lfPitchAndFamily = keys.pitch_and_family;
  keys.face_name.copy(description.lfFaceName, LF_FACESIZE - 1);
  font.font = CreateFontIndirectA(&description);
  HDC screen = GetDC(nullptr);
  font.point_size = font_point_size(keys.height, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return font;
}
