// The engine's way to the user for programs without windows: messages go to
// standard error and each box is answered with the choice that goes on
// quietly (OK, or Ignore). The default on POSIX, and what tools install.
#pragma once

#include "twyndle/engine/ui_seam.h"

class ConsoleUi : public UiSeam {
 public:
  MessageAnswer message(const MessageRequest& request) override;
  void debug_output(const char* text) override;
  void wait_cursor(bool on) override;
};
