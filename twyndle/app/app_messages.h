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

// show_message_box by default.
extern MessageBoxFunction message_box_function;

// MessageBoxA with a blank after the text: some platforms (Wine) size a box
// for a long single line one character short and cut its last character,
// such as the question mark of the listing question. The blank is what is
// cut instead; the text the box was asked to show is unchanged.
int WINAPI show_message_box(HWND owner, const char* text, const char* title, UINT style);
// The text show_message_box hands to MessageBoxA.
std::string text_for_box(const char* text);

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
