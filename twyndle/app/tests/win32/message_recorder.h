// Answers the program's message boxes in tests: records each box (from any
// thread) and gives the answer queued for it, IDOK when none is queued.
// A box can also be held open until the test lets it go, which keeps a
// worker run busy for as long as the test needs.
#pragma once

#include <windows.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct RecordedBox {
  HWND owner;
  std::string text;
  std::string title;
  UINT style;
  bool on_main_thread;
  HWND focus;  // the keyboard focus as the showing thread sees it
};

class MessageRecorder {
 public:
  MessageRecorder();   // installs itself as the program's message box
  ~MessageRecorder();  // puts MessageBoxA back

  void answer_next(int answer);
  // The next box waits until release() before it returns.
  void hold_next();
  void release();
  // True once a held box is waiting.
  bool holding() const;

  std::vector<RecordedBox> boxes() const;
  std::vector<std::string> texts() const;

 private:
  static int WINAPI show(HWND owner, const char* text, const char* title, UINT style);
  int record(HWND owner, const char* text, const char* title, UINT style);

  mutable std::mutex lock_;
  std::deque<int> answers_;
  std::vector<RecordedBox> boxes_;
  bool hold_ = false;
  bool waiting_ = false;
  HANDLE released_ = nullptr;
};
