#include "twyndle/ui/tests/owner_window.h"

#include "twyndle/ui/status_bar.h"
#include "twyndle/ui/table_window.h"

namespace {

constexpr const char* owner_class = "TwyndleTestOwner";

LRESULT CALLBACK owner_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* owner = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (owner && message == table_message() && message != 0)
    return owner->grid.answer(static_cast<int32_t>(wparam), lparam);
  if (owner && message == WM_KEYDOWN) {
    owner->keys.push_back(wparam);
    return 0;
  }
  if (owner && message == WM_COMMAND) {
    owner->commands.push_back(wparam);
    owner->command_senders.push_back(lparam);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

void register_test_classes() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  register_table_class(instance);
  register_status_class(instance);
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = owner_procedure;
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  window_class.lpszClassName = owner_class;
  RegisterClassA(&window_class);
}

void pump_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// One top-level window serves every test of the process: making and
// destroying top-level windows under Wine without a window manager waits for
// the display each time.
OwnerWindow::OwnerWindow(GridOwner& owner) : grid(owner) {
  static HWND shared = CreateWindowExA(WS_EX_TOPMOST, owner_class, "owner", WS_POPUP | WS_VISIBLE,
                                       0, 0, 800, 600, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
  window = shared;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

OwnerWindow::~OwnerWindow() {
  if (IsWindow(table)) DestroyWindow(table);
  if (IsWindow(status)) DestroyWindow(status);
  pump_messages();
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

HWND OwnerWindow::make_table(int client_width, int client_height) {
  // The vertical bar is part of the window, not of its client.
  int bar = GetSystemMetrics(SM_CXVSCROLL);
  RECT place{0, 0, client_width + bar, client_height};
  table = create_table_window(window, 501, place, nullptr);
  return table;
}

HWND OwnerWindow::make_status_bar(StatusItemList* list, int width, int height) {
  status = create_status_bar(window, 550, RECT{0, 0, width, height}, list);
  return status;
}

TableLayout* OwnerWindow::layout() const {
  return reinterpret_cast<TableLayout*>(
      GetWindowLongPtrA(table, static_cast<int>(2 * sizeof(LONG_PTR))));
}
