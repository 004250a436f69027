// The open requests that twyndle posts: a global atom holding a file path, or
// a file path, "/" and a line number in decimal ("C:\src\a.c/120").
//
// Paths may themselves hold "/" characters, so the text is split at its last
// "/" only when what follows is a decimal number and something precedes it;
// otherwise the whole text is the path.
#pragma once

#include <functional>
#include <string>

namespace scrivane {

struct OpenRequest {
  std::string path;
  unsigned long line_number = 0;  // 1-based; 0 when the request names no line
};

OpenRequest parse_open_request(const std::string& text);

// Like parse_open_request, but when the path before the number is no file
// and the whole text is one (a file whose name ends in "/digits" is possible
// with forward slashes), the whole text is the path, with no line.
OpenRequest resolve_open_request(const std::string& text,
                                 const std::function<bool(const std::string&)>& is_file);

}  // namespace scrivane
