// The display font as the host keeps it in the "Font" section of its ini
// file. twyndle only reads that section; the host owns it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

constexpr size_t face_name_read_max = 49;  // characters read from FaceName
constexpr size_t face_name_kept_max = 31;  // characters kept

struct FontKeys {
  int32_t height = 0;  // logical units, negative for character height; 0: no font
  int32_t weight = 0;
  uint8_t italic = 0;
  uint8_t char_set = 0;
  uint8_t pitch_and_family = 0;
  std::string face_name = "System";
};

// Reads the keys through the callbacks (an integer key with its default, a
// text key with its default, up to a number of characters). The keys after
// Height are read only when Height is not 0.
FontKeys read_font_keys(const std::function<int32_t(const char* key, int32_t fallback)>& read_int,
                        const std::function<std::string(const char* key, const char* fallback,
                                                         size_t max_chars)>& read_text);

// number * numerator / denominator rounded to the nearest, halves away from
// zero; -1 when the denominator is 0 or the result does not fit (the
// platform's MulDiv).
int32_t mul_div(int32_t number, int32_t numerator, int32_t denominator);

// The font's size in points on a screen of the given vertical pixels per inch.
int32_t font_point_size(int32_t height, int32_t pixels_per_inch);

// The printer font's height for the font's point size at the printer's
// vertical resolution: point size x pixels per inch / 72, cut to whole
// pixels and negative (a character height).
int32_t printer_font_height(int32_t point_size, int32_t pixels_per_inch);
