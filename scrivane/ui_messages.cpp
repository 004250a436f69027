#include "scrivane/ui_messages.h"

namespace scrivane {

const char* const app_title = "Scrivane";

int show_message(HWND owner, const std::string& text, UINT flags) {
  return MessageBoxA(owner, text.c_str(), app_title, flags);
}

std::string system_error_text(DWORD error) {
  char buffer[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text.empty() ? "error " + std::to_string(error) : text;
}

}  // namespace scrivane
