// Without windows the engine's messages go to standard error and each box
// is answered with the choice that goes on quietly (OK, or Ignore).
#include <cstdio>

#include "twyndle/engine/ui_seam.h"

namespace {
class ConsoleUi : public UiSeam {
 public:
  MessageAnswer message(const MessageRequest& request) override {
    std::fprintf(stderr, "%s: %s\n", request.title, request.text);
    return request.buttons == MessageButtons::abort_retry_ignore ? MessageAnswer::ignore : MessageAnswer::ok;
  }
  void debug_output(const char* text) override { std::fputs(text, stderr); }
  void wait_cursor(bool) override {}
};
}  // namespace

UiSeam& ui_seam_default() {
  static ConsoleUi ui;
  return ui;
}
