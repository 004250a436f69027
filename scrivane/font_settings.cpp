#include "scrivane/font_settings.h"

#include <cstdlib>

namespace scrivane {

const char* const font_section = "Font";

namespace {

int low_byte(int value) { return value & 0xff; }

long number_or_zero(const std::string& text) {
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  return end == text.c_str() ? 0 : value;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> font_keys(const FontSettings& font) {
  return {
      {"Height", std::to_string(font.height)},
      {"Weight", std::to_string(font.weight)},
      {"Italic", std::to_string(low_byte(font.italic))},
      {"CharSet", std::to_string(low_byte(font.char_set))},
      {"PitchAndFamily", std::to_string(low_byte(font.pitch_and_family))},
      {"FaceName", font.face_name.substr(0, max_face_name)},
  };
}

FontSettings read_font_keys(const std::function<std::string(const std::string& key)>& read_key) {
  FontSettings font;
  font.height = number_or_zero(read_key("Height"));
  if (!font.chosen()) return font;
  font.weight = number_or_zero(read_key("Weight"));
  font.italic = low_byte(static_cast<int>(number_or_zero(read_key("Italic"))));
  font.char_set = low_byte(static_cast<int>(number_or_zero(read_key("CharSet"))));
  font.pitch_and_family = low_byte(static_cast<int>(number_or_zero(read_key("PitchAndFamily"))));
  std::string face = read_key("FaceName");
  font.face_name = face.empty() ? "System" : face.substr(0, max_face_name);
  return font;
}

}  // namespace scrivane
