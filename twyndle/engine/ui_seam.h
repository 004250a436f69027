// The engine's way to the user: message boxes, the debugger output and the
// wait cursor. The program installs a backend that talks to its windows;
// tests install one that records the questions and answers them. With none
// installed the platform default is used (MessageBoxA and OutputDebugStringA
// on Windows, standard error elsewhere).
#pragma once

enum class MessageIcon { none, error, information, warning };

enum class MessageButtons { ok, ok_cancel, abort_retry_ignore };

enum class MessageAnswer { ok, cancel, abort, retry, ignore };

struct MessageRequest {
  const char* text;          // exact user-visible text, already formatted
  const char* title;         // "Twyndle", "Error", "Juxta", "Out Of Memory", ...
  MessageIcon icon;
  MessageButtons buttons;
  bool owned_by_main_window; // the box belongs to the main window (not the calling thread's)
};

class UiSeam {
 public:
  virtual ~UiSeam() = default;
  // Shows a modal box and returns the button chosen. May be called from the
  // worker thread as well as the main thread.
  virtual MessageAnswer message(const MessageRequest& request) = 0;
  // One line of text for the debugger output.
  virtual void debug_output(const char* text) = 0;
  // on = true shows the wait cursor, false restores the previous one.
  virtual void wait_cursor(bool on) = 0;
};

// Installs a backend (none restores the platform default). The backend is
// not owned; it must outlive every engine call made while installed.
void ui_seam_install(UiSeam* seam);
UiSeam& ui_seam();

// Shorthand for the common case.
MessageAnswer ui_message(const char* text, const char* title, MessageIcon icon,
                         MessageButtons buttons = MessageButtons::ok,
                         bool owned_by_main_window = false);

// Shows the wait cursor for the lifetime of the guard.
class WaitCursor {
 public:
  WaitCursor() { ui_seam().wait_cursor(true); }
  ~WaitCursor() { ui_seam().wait_cursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
