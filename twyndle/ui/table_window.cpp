// The SCTabDisplay window: binds a Table to its window at creation and turns
// window messages and TM_* messages into table operations. Window data:
// word 0 the owner, word 1 the window's table state, word 2 the current
// layout (0 when there is none).
#include "twyndle/ui/table_window.h"

#include "twyndle/ui/gdi_guards.h"
#include "twyndle/ui/table.h"
#include "twyndle/ui/table_gdi.h"
#include "twyndle/ui/table_print_win32.h"

#include <new>

namespace {

enum WindowWord { word_owner = 0, word_state = 1, word_layout = 2, word_count = 3 };

TableResources resources;
bool registered = false;

struct TableWindow {
  GdiTableSurface surface;
  Table table;
  bool printing = false;  // TM_PRINT runs; it pumps messages while it prints
  bool destroyed = false; // the window went while printing: freed when the print returns
  TableWindow(HWND window, HWND owner) : surface(window, owner) { table.surface = &surface; }
};

void set_word(HWND window, WindowWord word, LONG_PTR value) {
  SetWindowLongPtrA(window, static_cast<int>(word * sizeof(LONG_PTR)), value);
}

TableWindow* state_of(HWND window) {
  return reinterpret_cast<TableWindow*>(
      GetWindowLongPtrA(window, static_cast<int>(word_state * sizeof(LONG_PTR))));
}

bool bind(HWND window, const CREATESTRUCTA* create) {
  HWND owner = create->lpCreateParams ? static_cast<HWND>(create->lpCreateParams)
                                      : create->hwndParent;
  TableWindow* state = new (std::nothrow) TableWindow(window, owner);
  if (!state) return false;
  set_word(window, word_owner, reinterpret_cast<LONG_PTR>(owner));
  set_word(window, word_state, reinterpret_cast<LONG_PTR>(state));
  return true;
}

void unbind(HWND window) {
  TableWindow* state = state_of(window);
  if (state && state->printing) {
    state->destroyed = true;
  } else {
    delete state;
  }
  for (int word = 0; word < word_count; ++word)
    set_word(window, static_cast<WindowWord>(word), 0);
}

int32_t x_of(LPARAM lparam) { return static_cast<short>(LOWORD(lparam)); }
int32_t y_of(LPARAM lparam) { return static_cast<short>(HIWORD(lparam)); }

void paint(HWND window, TableWindow& state) {
  PaintDc dc(window);
  const RECT& area = dc.area();
  state.surface.set_paint_dc(dc.get());
  table_paint(state.table, TableRect{area.left, area.top, area.right, area.bottom});
  state.surface.set_paint_dc(nullptr);
}

void key_down(TableWindow& state, WPARAM key, LPARAM lparam) {
  bool control = GetKeyState(VK_CONTROL) < 0;
  if (table_key(state.table, static_cast<uint32_t>(key), control) == KeyUse::to_owner)
    SendMessageA(state.surface.owner(), WM_KEYDOWN, key, lparam);
}

// Mouse capture taken from the table in the middle of a drag ends the drag.
void capture_lost(HWND window, TableWindow& state, LPARAM new_owner) {
  if (reinterpret_cast<HWND>(new_owner) == window) return;
  table_cancel_drag(state.table);
}

// The window may be destroyed while the print pumps its messages; its state
// then lives on until the print is over.
LRESULT print(HWND window, TableWindow& state, PrintRequest* request) {
  if (state.printing) return 0;
  state.printing = true;
  LRESULT result = print_table(window, state.table, state.surface.owner(), request);
  state.printing = false;
  if (state.destroyed) delete &state;
  return result;
}

bool handle_table_message(HWND window, TableWindow& state, UINT message, WPARAM wparam,
                          LPARAM lparam, LRESULT& result) {
  Table& table = state.table;
  result = 0;
  switch (message) {
    case TM_LAYOUT: table_show_view(table, lparam, false); return true;
    case TM_RESET: table_show_view(table, lparam, true); return true;
    case TM_SELECT:
      table_select_row(table, reinterpret_cast<const TableSelection*>(lparam));
      return true;
    case TM_PRINT: result = print(window, state, reinterpret_cast<PrintRequest*>(lparam)); return true;
    case TM_SCROLLPOS: result = table_scroll_position(table, wparam == 1, lparam); return true;
    case TM_APPEND: table_append(table, static_cast<int32_t>(wparam), lparam); return true;
    default: return false;
  }
}

bool handle_window_message(HWND window, TableWindow& state, UINT message, WPARAM wparam,
                           LPARAM lparam) {
  Table& table = state.table;
  switch (message) {
    case WM_DESTROY: table_close(table); return true;
    case WM_SIZE: table_resize(table); return true;
    case WM_PAINT: paint(window, state); return true;
    case WM_KEYDOWN: key_down(state, wparam, lparam); return true;
    case WM_VSCROLL:
      table_vertical_request(table, LOWORD(wparam), HIWORD(wparam));
      return true;
    case WM_HSCROLL:
      table_horizontal_request(table, LOWORD(wparam), HIWORD(wparam));
      return true;
    case WM_MOUSEMOVE: table_mouse_move(table, x_of(lparam), y_of(lparam)); return true;
    case WM_LBUTTONDOWN: table_button_down(table, x_of(lparam), y_of(lparam)); return true;
    case WM_LBUTTONUP: table_button_up(table, x_of(lparam), y_of(lparam)); return true;
    case WM_LBUTTONDBLCLK: table_double_click(table, x_of(lparam), y_of(lparam)); return true;
    case WM_CAPTURECHANGED: capture_lost(window, state, lparam); return true;
    default: return false;
  }
}

LRESULT CALLBACK table_window_procedure(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
  if (message == WM_NCCREATE && !bind(window, reinterpret_cast<CREATESTRUCTA*>(lparam)))
    return FALSE;
  TableWindow* state = state_of(window);
  if (message == WM_NCDESTROY) {
    unbind(window);
    return DefWindowProcA(window, message, wparam, lparam);
  }
  if (!state) return DefWindowProcA(window, message, wparam, lparam);
  // Over the client area the pointer is the table's own (set on mouse moves),
  // not the parent's class cursor.
  if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT) return TRUE;
  LRESULT result = 0;
  bool handled = handle_table_message(window, *state, message, wparam, lparam, result) ||
                 handle_window_message(window, *state, message, wparam, lparam);
  // The state may be gone when the owner destroyed the window meanwhile.
  if (TableWindow* still = state_of(window))
    set_word(window, word_layout, reinterpret_cast<LONG_PTR>(still->table.layout.get()));
  return handled ? result : DefWindowProcA(window, message, wparam, lparam);
}

void make_resources(HINSTANCE instance) {
  resources.message = RegisterWindowMessageA(table_message_name);
  resources.arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  // The program may carry its own "VertLine" pointer; else the system's.
  resources.resize = LoadCursorA(instance, "VertLine");
  if (!resources.resize)
    resources.resize = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE));
  resources.dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 0));
}

}  // namespace

const TableResources& table_resources() { return resources; }

UINT table_message() { return resources.message; }

bool register_table_class(HINSTANCE instance) {
  if (registered) return true;
  make_resources(instance);
  WNDCLASSA window_class{};
  window_class.style = CS_DBLCLKS | CS_GLOBALCLASS;
  window_class.lpfnWndProc = table_window_procedure;
  window_class.cbWndExtra = static_cast<int>(word_count * sizeof(LONG_PTR));
  window_class.hInstance = instance;
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  window_class.lpszClassName = table_class_name;
  registered = RegisterClassA(&window_class) != 0 ||
               GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

HWND create_table_window(HWND parent, int identifier, const RECT& place, HWND owner) {
  return CreateWindowExA(0, table_class_name, "",
                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                         place.left, place.top, place.right - place.left,
                         place.bottom - place.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                         owner);
}
