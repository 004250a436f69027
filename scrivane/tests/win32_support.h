// Helpers for scrivane's win32 tests: reading its viewer windows and
// answering the dialogs this thread shows. Waits, windows, processes,
// temporary folders and scriv32.ini come from the shared test support.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/host_ini.h"
#include "tests/support/process_windows.h"
#include "tests/support/temp_folder.h"

namespace scrivane {

using namespace test_support;

// The 1-based line selected in a viewer window, 0 when none.
int viewer_selected_line(HWND viewer);
int viewer_line_count(HWND viewer);
int viewer_top_line(HWND viewer);  // 1-based

// While it lives, answers the first dialog ("#32770") that this thread shows:
// records its title and text, runs the action (which may fill it in), then
// posts the command (IDOK by default) to it.
class DialogAnswerer {
 public:
  explicit DialogAnswerer(int command = IDOK, std::function<void(HWND)> action = nullptr);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  bool answered() const { return answered_; }
  const std::string& title() const { return title_; }
  const std::string& message() const { return message_; }

 private:
  static void CALLBACK on_timer(HWND, UINT, UINT_PTR, DWORD);
  void look();

  int command_;
  std::function<void(HWND)> action_;
  UINT_PTR timer_ = 0;
  bool answered_ = false;
  std::string title_;
  std::string message_;
};

}  // namespace scrivane
