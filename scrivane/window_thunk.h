// One window procedure per window kind: the C++ object is handed over in
// lpCreateParams, bound at WM_NCCREATE, kept in GWLP_USERDATA and unbound at
// WM_NCDESTROY, after which its detach() may delete it. T provides
//   void attach(HWND), void detach(), LRESULT handle_message(UINT, WPARAM, LPARAM)
// and befriends window_thunk<T>. No exception leaves the procedure.
#pragma once

#include <windows.h>

#include <new>

#include "scrivane/ui_messages.h"

namespace scrivane {

template <class T>
LRESULT CALLBACK window_thunk(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    static_cast<T*>(create->lpCreateParams)->attach(hwnd);
  }
  T* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    LRESULT result = DefWindowProcA(hwnd, message, wparam, lparam);
    self->detach();
    return result;
  }
  try {
    return self->handle_message(message, wparam, lparam);
  } catch (const std::bad_alloc&) {
    show_message(hwnd, "Not enough memory.", MB_ICONERROR);
    return 0;
  }
}

// Registers the window class of T's windows (arrow cursor, the application
// icon) with window_thunk<T> as its procedure; true also when it is
// registered already.
template <class T>
bool register_thunk_class(HINSTANCE instance, const char* class_name, int background_colour,
                          const char* menu = nullptr) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = window_thunk<T>;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background_colour + 1));
  window_class.lpszMenuName = menu;
  window_class.lpszClassName = class_name;
  return RegisterClassA(&window_class) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace scrivane
