#include "twyndle/engine/console_ui.h"

#include <cstdio>

MessageAnswer ConsoleUi::message(const MessageRequest& request) {
  std::fprintf(stderr, "%s: %s\n", request.title, request.text);
  return request.buttons == MessageButtons::abort_retry_ignore ? MessageAnswer::ignore : MessageAnswer::ok;
}

void ConsoleUi::debug_output(const char* text) { std::fputs(text, stderr); }

void ConsoleUi::wait_cursor(bool) {}
