// Message boxes of the program. Every box goes through app_message, which
// attaches the calling thread's input to the main thread while a box is
// shown from the worker (so that it gets the keyboard and comes to the
// front), and through one replaceable function, so that tests can answer.
// The engine's boxes reach the same place through its UI seam.
#pragma once

#include <windows.h>

#include <string>

// Shows a box and returns the button chosen (IDOK, IDCANCEL, IDYES, ...).
using MessageBoxFunction = int(WINAPI*)(HWND owner, const char* text, const char* title, UINT style);

// MessageBoxA by default.
extern MessageBoxFunction message_box_function;

int app_message(HWND owner, const char* text, const char* title, UINT style);
int app_message(HWND owner, const std::string& text, const char* title, UINT style);

// While it lives, the calling thread's input is attached to the main
// thread's; on the main thread it does nothing.
class AttachedInput {
 public:
  AttachedInput();
  ~AttachedInput();
  AttachedInput(const AttachedInput&) = delete;
  AttachedInput& operator=(const AttachedInput&) = delete;

 private:
  DWORD thread_ = 0;  // the attached thread, 0 when nothing was attached
};

// Makes the engine show its boxes, debugger lines and wait cursor here.
void install_engine_ui();
