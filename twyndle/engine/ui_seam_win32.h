// The engine's message boxes, debugger output and wait cursor on Windows.
// A program that owns a main window derives from WindowsUi to choose the
// owner of each box (and to let tests answer); the mapping of requests to
// box styles and of buttons to answers stays here.
#pragma once

#include <windows.h>

#include "twyndle/engine/ui_seam.h"

class WindowsUi : public UiSeam {
 public:
  MessageAnswer message(const MessageRequest& request) override;
  void debug_output(const char* text) override;
  void wait_cursor(bool on) override;

 protected:
  // Shows the box with the icon and buttons already in `style`; returns the
  // button chosen (IDOK, IDCANCEL, ...). By default an ownerless box, task
  // modal when the engine did not ask for the main window as owner.
  virtual int show_box(const MessageRequest& request, UINT style);
};
