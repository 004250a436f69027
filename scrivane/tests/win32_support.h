// Helpers for the win32 tests: waiting with and without pumping messages,
// finding windows of a thread or a process, reading and answering dialogs,
// and keeping the "Font" section of scriv32.ini as it was.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace scrivane {

// Dispatches this thread's messages until the condition holds or the time
// is up; returns the condition's last value. WM_QUIT is dropped.
bool pump_until(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// Waits (without pumping) until the condition holds or the time is up.
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms = 15000);

// The first visible top-level window of the process (0: this process) with
// the class and, when given, the title.
HWND find_process_window(DWORD process_id, const std::string& class_name,
                         const char* title = nullptr);

std::string window_text(HWND window);
std::string class_of(HWND window);
// The longest text among a dialog's static controls (a message box's text).
std::string dialog_message(HWND dialog);

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

// Keeps the "Font" section of scriv32.ini and puts it back at the end.
class FontSectionKeeper {
 public:
  FontSectionKeeper();
  ~FontSectionKeeper();
  FontSectionKeeper(const FontSectionKeeper&) = delete;
  FontSectionKeeper& operator=(const FontSectionKeeper&) = delete;

 private:
  std::map<std::string, std::string> saved_;
};

std::string ini_font_key(const std::string& key);  // "" when absent

}  // namespace scrivane
