// The text of an open request for the host: a file path, or a file path
// followed by "/" and a line number in decimal (C:\src\a.c/120). The host
// receives it as a global atom, which holds at most 255 characters.
#pragma once

#include <cstdint>
#include <string>

constexpr size_t atom_text_max = 255;

// The request text; a line number of 0 names no line.
std::string open_request_text(const char* path, int32_t line_number);

// True when the text fits a global atom: not empty and at most 255 characters.
bool fits_atom(const std::string& text);
