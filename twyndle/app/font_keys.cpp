#include "twyndle/app/font_keys.h"

FontKeys read_font_keys(const std::function<int32_t(const char* key, int32_t fallback)>& read_int,
                        const std::function<std::string(const char* key, const char* fallback,
                                                        size_t max_chars)>& read_text) {
  FontKeys keys;
  keys.height = read_int("Height", 0);
  if (keys.height == 0) return keys;
  keys.weight = read_int("Weight", 0);
  keys.italic = static_cast<uint8_t>(read_int("Italic", 0));
  keys.char_set = static_cast<uint8_t>(read_int("CharSet", 0));
  keys.pitch_and_family = static_cast<uint8_t>(read_int("PitchAndFamily", 0));
  keys.face_name = read_text("FaceName", "System", face_name_read_max).substr(0, face_name_kept_max);
  return keys;
}

int32_t mul_div(int32_t number, int32_t numerator, int32_t denominator) {
  if (denominator == 0) return -1;
  int64_t product = static_cast<int64_t>(number) * numerator;
  int64_t divisor = denominator;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  int64_t rounded = product >= 0 ? (product + divisor / 2) / divisor : (product - divisor / 2) / divisor;
  if (rounded > INT32_MAX || rounded < -INT32_MAX) return -1;
  return static_cast<int32_t>(rounded);
}

int32_t font_point_size(int32_t height, int32_t pixels_per_inch) {
  return mul_div(-height, 72, pixels_per_inch);
}

int32_t printer_font_height(int32_t point_size, int32_t pixels_per_inch) {
  return -static_cast<int32_t>(static_cast<int64_t>(point_size) * pixels_per_inch / 72);
}
