#include "twyndle/app/open_request.h"

std::string open_request_text(const char* path, int32_t line_number) {
  std::string text = path ? path : "";
  if (line_number > 0) text += "/" + std::to_string(line_number);
  return text;
}

bool fits_atom(const std::string& text) {
  return !text.empty() && text.size() <= atom_text_max;
}
