#include "twyndle/ui/tests/view_owner_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "twyndle/ui/table_window.h"

namespace {
constexpr const char* owner_class = "ViewTestOwner";

LRESULT answer(ViewOwnerWindow& owner, int32_t code, LPARAM record) {
  switch (code) {
    case TQ_PROPS: return view_answer_props(owner.view, reinterpret_cast<TableProps*>(record));
    case TQ_COLUMNS:
      return view_answer_columns(owner.view, reinterpret_cast<TableColumnsQuery*>(record), nullptr);
    case TQ_CELLS: {
      auto* query = reinterpret_cast<TableCellsQuery*>(record);
      ++owner.cells_asked;
      owner.highest_cell_row = std::max(owner.highest_cell_row, query->row);
      return view_answer_cells(owner.view, query, false);
    }
    case TQ_CLOSE:
      ++owner.closes;
      owner.closed = record;
      return 1;
    default: return 1;
  }
}

LRESULT CALLBACK owner_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* owner = reinterpret_cast<ViewOwnerWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (owner && message != 0 && message == table_message()) {
    return answer(*owner, static_cast<int32_t>(wparam), lparam);
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

void register_classes(HINSTANCE instance) {
  EXPECT_TRUE(register_table_class(instance));
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = owner_procedure;
  window_class.hInstance = instance;
  window_class.lpszClassName = owner_class;
  RegisterClassA(&window_class);
}
}  // namespace

ViewOwnerWindow::ViewOwnerWindow(bool shown) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  register_classes(instance);
  DWORD style = WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0);
  frame = CreateWindowExA(0, owner_class, "view test", style, 0, 0, 500, 300, nullptr, nullptr, instance, nullptr);
  SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  RECT place{0, 0, 480, 200};
  table = create_table_window(frame, 501, place, frame);
}

ViewOwnerWindow::~ViewOwnerWindow() { DestroyWindow(frame); }

void pump_waiting_messages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}
