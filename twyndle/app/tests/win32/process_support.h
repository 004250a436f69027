// Helpers of the end-to-end tests: the real scrivane.exe and twyndle.exe
// started as processes beside the test program, their windows found and
// driven from outside, every wait bounded.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Waits (without pumping) until the condition holds or the time is up.
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms = 20000);

// A program beside the test executable, started with arguments in a folder.
class Process {
 public:
  Process() = default;
  ~Process();  // ends the process if it still runs
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool start(const std::string& program, const std::string& arguments, const std::string& folder);
  // The exit code, or 259 when it has not ended in time.
  DWORD wait_for_exit(DWORD timeout_ms = 20000);
  bool running() const;
  DWORD id() const { return info_.dwProcessId; }
  // The first top-level window of this process with the class (and title).
  HWND window(const std::string& class_name, const char* title = nullptr) const;
  HWND wait_for_window(const std::string& class_name, const char* title = nullptr, DWORD timeout_ms = 20000) const;

 private:
  PROCESS_INFORMATION info_ = {};
};

// The first top-level window of any process with the class.
HWND find_top_window(const std::string& class_name, DWORD process_id = 0, const char* title = nullptr);
std::string window_title(HWND window);
// The longest static text of a dialog: a message box's message.
std::string dialog_text(HWND dialog);
std::string in_quotes(const std::string& text);
