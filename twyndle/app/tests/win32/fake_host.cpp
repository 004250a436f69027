#include "twyndle/app/tests/win32/fake_host.h"

namespace {
UINT present_message() { return RegisterWindowMessageA("SCPresent"); }
UINT open_message() { return RegisterWindowMessageA("EPOpenDoc"); }
}  // namespace

LRESULT CALLBACK FakeHost::procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* host = reinterpret_cast<FakeHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (host && message == present_message()) {
    if (wparam == 0) return reinterpret_cast<LRESULT>(window);
    return wparam == 1 && host->german_ ? 1 : 0;
  }
  if (host && message == open_message()) {
    char text[300] = "";
    UINT length = GlobalGetAtomNameA(static_cast<ATOM>(lparam), text, sizeof text);
    GlobalDeleteAtom(static_cast<ATOM>(lparam));
    host->requests_.push_back(std::string(text, length) + (wparam == 1 ? "" : " (wParam not 1)"));
    return 1;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

FakeHost::FakeHost(bool german) : german_(german) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "SCRIV32";
  RegisterClassA(&window_class);
  window_ = CreateWindowExA(0, "SCRIV32", "Fake host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

FakeHost::~FakeHost() {
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}
