// The display font as stored in the "Font" section of scriv32.ini.
//
// Scrivane owns that section: it writes it when the user chooses a font, and
// twyndle reads it for its own display. The keys and their meaning:
//   Height          font height in logical units (negative: character height);
//                   0 means no font has been chosen
//   Weight          font weight (400 normal, 700 bold)
//   Italic          non-zero for italic (one byte)
//   CharSet         character set (one byte)
//   PitchAndFamily  pitch and family (one byte)
//   FaceName        face name, at most 31 characters
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace scrivane {

constexpr size_t max_face_name = 31;
extern const char* const font_section;  // "Font"

struct FontSettings {
  long height = 0;
  long weight = 0;
  int italic = 0;
  int char_set = 0;
  int pitch_and_family = 0;
  std::string face_name = "System";

  bool chosen() const { return height != 0; }
};

// The six keys and their texts, in the order written. One-byte fields are
// kept to their low byte and the face name to max_face_name characters.
std::vector<std::pair<std::string, std::string>> font_keys(const FontSettings& font);

// Settings from the stored keys; read_key returns the key's text, empty when
// absent. A key that is absent or not a number reads as 0; a missing face
// name reads as "System". Only Height is read when it is 0.
FontSettings read_font_keys(const std::function<std::string(const std::string& key)>& read_key);

}  // namespace scrivane
