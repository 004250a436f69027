// For the tests under Wine: programs started beside the test program, the
// windows of this or another process found and read, and bounded waits
// with and without delivering this thread's messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace test_support {

// Waits, without delivering messages, until the condition holds or the time
// is up; the condition's last value.
bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms = 20000);

// How one message of this thread is delivered (a program may translate its
// accelerators first).
using MessageDispatcher = std::function<void(MSG* message)>;
// Delivers this thread's messages until the condition holds or the time is
// up; the condition's last value. WM_QUIT is dropped.
bool pump_until(const std::function<bool()>& condition, DWORD timeout_ms = 15000,
                const MessageDispatcher& dispatch = nullptr);

// Which top-level window: its class, and when given its process (0: any
// process), its title and only a visible one.
struct WindowQuery {
  std::string class_name;
  DWORD process_id = 0;
  const char* title = nullptr;
  bool visible_only = false;
};
// The first top-level window that fits the query; none.
HWND find_top_window(const WindowQuery& query);

std::string window_text(HWND window);
std::string class_of(HWND window);
// The longest text among a dialog's static controls (a message box's
// message), without the blanks some programs add after it.
std::string dialog_text(HWND dialog);

// A file in the folder of the test program.
std::string beside_test(const std::string& name);
std::string in_quotes(const std::string& text);

// A program started with arguments in a folder; ended when the object goes
// if it still runs. It runs in a job of its own, which counts every process
// it starts.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // The program's full path; the command line is its quoted path, a blank
  // and the arguments.
  bool start(const std::string& program, const std::string& arguments, const std::string& folder);
  // The exit code, or STILL_ACTIVE (259) when it has not ended in time.
  DWORD wait_for_exit(DWORD timeout_ms = 20000);
  bool running() const;
  // The processes its job has held: 1 for the program, one more for each
  // program it started (also those that have ended); 0 without a job.
  DWORD processes_started() const;
  DWORD id() const { return info_.dwProcessId; }
  HANDLE handle() const { return info_.hProcess; }
  // Its first top-level window of the class (and title); none.
  HWND window(const std::string& class_name, const char* title = nullptr) const;
  // Waits while the process runs until such a window is visible; none when
  // none came.
  HWND wait_for_window(const std::string& class_name, const char* title = nullptr,
                       DWORD timeout_ms = 20000) const;
  // Waits for its dialog ("#32770") of that title until the dialog's text
  // is in place, posts the command (IDOK, IDCANCEL, ...) to it and waits
  // until it is gone; the text it showed, empty when no such dialog came.
  std::string answer_dialog(const char* title, int command, DWORD timeout_ms = 20000) const;

 private:
  PROCESS_INFORMATION info_ = {};
  HANDLE job_ = nullptr;
};

}  // namespace test_support
