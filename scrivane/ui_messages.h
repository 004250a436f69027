// Message boxes of scrivane: all carry the title "Scrivane".
#pragma once

#include <windows.h>

#include <string>

namespace scrivane {

extern const char* const app_title;  // "Scrivane"

int show_message(HWND owner, const std::string& text, UINT flags);

// The system's text for an error code, without its line end.
std::string system_error_text(DWORD error);

}  // namespace scrivane
