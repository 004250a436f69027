// The "gdstatusclass" window: layout on size and on text changes, painting
// in a grey three-dimensional look with the system font, and push buttons
// that follow the mouse while pressed and report a click to the parent.
#include "twyndle/ui/status_bar.h"

#include "twyndle/ui/gdi_guards.h"

namespace {

constexpr WPARAM button_up_code = 0x202;

struct StatusResources {
  HBRUSH grey;
  HPEN white;
  HPEN dark;
  HPEN light;
  HPEN black;
  HFONT font;
  int32_t line_height;
  int32_t char_width;
};

StatusResources resources;
bool resources_made = false;
bool registered = false;
// The list handed to a bar being created, until the bar takes it.
StatusItemList* list_in_creation = nullptr;

void make_resources() {
  if (resources_made) return;
  resources_made = true;
  resources.grey = CreateSolidBrush(RGB(192, 192, 192));
  resources.white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
  resources.dark = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  resources.light = CreatePen(PS_SOLID, 1, RGB(192, 192, 192));
  resources.black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  resources.font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  WindowDc screen(nullptr);
  Selected font(screen.get(), resources.font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen.get(), &metrics);
  resources.line_height = metrics.tmHeight + metrics.tmExternalLeading;
  resources.char_width = metrics.tmAveCharWidth;
}

class SystemFontMeasure : public StatusMeasure {
 public:
  explicit SystemFontMeasure(HDC dc) : dc_(dc), font_(dc, resources.font) {}
  int32_t text_width(const char* text) override {
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc_, text, lstrlenA(text), &size);
    return size.cx;
  }

 private:
  HDC dc_;
  Selected font_;
};

StatusItemList* list_of(HWND window) {
  return reinterpret_cast<StatusItemList*>(GetWindowLongPtrA(window, 0));
}

RECT to_rect(const StatusRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

void lay_out(HWND window, StatusItemList* list) {
  RECT client;
  GetClientRect(window, &client);
  WindowDc dc(window);
  SystemFontMeasure measure(dc.get());
  status_layout(list, client.right, client.bottom, resources.char_width, resources.line_height,
                measure);
}

void line(HDC dc, HPEN pen, int x0, int y0, int x1, int y1) {
  Selected selected(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

// Top and left edges in one pen, bottom and right edges in another.
void frame(HDC dc, const RECT& r, HPEN top_left, HPEN bottom_right) {
  line(dc, top_left, r.left, r.top, r.right - 1, r.top);
  line(dc, top_left, r.left, r.top, r.left, r.bottom - 1);
  line(dc, bottom_right, r.left, r.bottom - 1, r.right, r.bottom - 1);
  line(dc, bottom_right, r.right - 1, r.top, r.right - 1, r.bottom);
}

void draw_text(HDC dc, const char* text, RECT area, UINT alignment) {
  Selected font(dc, resources.font);
  BackMode mode(dc, TRANSPARENT);
  TextColour colour(dc, RGB(0, 0, 0));
  DrawTextA(dc, text, -1, &area, alignment | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paint_label(HDC dc, const StatusItem& item) {
  RECT r = to_rect(item.rect);
  if (item.flags & status_raised)
    frame(dc, r, resources.white, resources.dark);
  else if (item.flags & status_sunken)
    frame(dc, r, resources.dark, resources.white);
  RECT inside{r.left + resources.char_width / 2, r.top + 1, r.right - 1, r.bottom - 1};
  {
    Selected pen(dc, resources.light);
    Selected brush(dc, resources.grey);
    Rectangle(dc, inside.left, inside.top, inside.right, inside.bottom);
  }
  // The text may run to the item's edge: its width was measured without the
  // half character and the outline.
  RECT text{inside.left + 1, inside.top + 1, r.right, inside.bottom - 1};
  draw_text(dc, item.text, text, DT_LEFT);
}

void paint_button(HDC dc, const StatusItem& item, bool down) {
  RECT r = to_rect(item.rect);
  RECT interior{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
  FillRect(dc, &interior, resources.grey);
  frame(dc, r, resources.black, resources.black);
  RECT face;
  if (down) {
    for (int step = 1; step <= 3; ++step) {
      HPEN pen = step == 1 ? resources.dark : resources.light;
      line(dc, pen, r.left + step, r.top + step, r.right - 1, r.top + step);
      line(dc, pen, r.left + step, r.top + step, r.left + step, r.bottom - 1);
    }
    face = RECT{r.left + 4, r.top + 4, r.right - 1, r.bottom - 1};
  } else {
    frame(dc, interior, resources.white, resources.dark);
    line(dc, resources.dark, r.left + 2, r.bottom - 3, r.right - 2, r.bottom - 3);
    line(dc, resources.dark, r.right - 3, r.top + 2, r.right - 3, r.bottom - 2);
    face = RECT{r.left + 2, r.top + 2, r.right - 3, r.bottom - 3};
  }
  draw_text(dc, item.text, face, DT_CENTER);
}

void paint_item(HDC dc, const StatusItemList& list, int32_t index) {
  const StatusItem& item = list.items[index];
  if (status_rect_empty(item.rect)) return;
  if (item.kind == status_label) paint_label(dc, item);
  if (item.kind == status_button)
    paint_button(dc, item, index == list.pressed && list.shown_pressed);
}

void paint(HWND window, StatusItemList* list) {
  PaintDc dc(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc.get(), &client, resources.grey);
  frame(dc.get(), client, resources.white, resources.dark);
  for (int32_t i = 0; list && i < list->count; ++i) paint_item(dc.get(), *list, i);
}

void redraw_pressed(HWND window, StatusItemList& list, bool down) {
  if ((list.shown_pressed != 0) == down) return;
  list.shown_pressed = down;
  WindowDc dc(window);
  paint_button(dc.get(), list.items[list.pressed], down);
}

bool inside(const StatusItem& item, LPARAM lparam) {
  int32_t x = static_cast<short>(LOWORD(lparam));
  int32_t y = static_cast<short>(HIWORD(lparam));
  const StatusRect& r = item.rect;
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void button_down(HWND window, StatusItemList& list, LPARAM lparam) {
  if (list.pressed >= 0) return;
  int32_t index = status_item_at(&list, static_cast<short>(LOWORD(lparam)),
                                 static_cast<short>(HIWORD(lparam)));
  if (index < 0 || list.items[index].kind != status_button) return;
  list.pressed = index;
  list.shown_pressed = 0;
  SetCapture(window);
  redraw_pressed(window, list, true);
}

void mouse_move(HWND window, StatusItemList& list, LPARAM lparam) {
  if (list.pressed < 0) return;
  redraw_pressed(window, list, inside(list.items[list.pressed], lparam));
}

// Releases the pressed button; a release inside it is a click.
void button_up(HWND window, StatusItemList& list, LPARAM lparam, bool released_here) {
  if (list.pressed < 0) return;
  const StatusItem& item = list.items[list.pressed];
  redraw_pressed(window, list, false);
  list.pressed = -1;
  if (GetCapture() == window) ReleaseCapture();
  if (released_here && inside(item, lparam))
    SendMessageA(GetParent(window), WM_COMMAND,
                 MAKEWPARAM(item.identifier, button_up_code), reinterpret_cast<LPARAM>(window));
}

void set_text(HWND window, StatusItemList* list, WPARAM identifier, LPARAM text) {
  int32_t index = status_set_text(list, static_cast<int32_t>(identifier),
                                  reinterpret_cast<const char*>(text));
  if (index < 0) return;
  if (list->items[index].flags & status_fit_text) {
    lay_out(window, list);
    InvalidateRect(window, nullptr, TRUE);
  } else {
    RECT area = to_rect(list->items[index].rect);
    InvalidateRect(window, &area, TRUE);
  }
  UpdateWindow(window);
}

bool handle(HWND window, StatusItemList* list, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE: lay_out(window, list); return true;
    case WM_PAINT: paint(window, list); return true;
    case SM_SETTEXT: set_text(window, list, wparam, lparam); return true;
    case WM_LBUTTONDOWN: button_down(window, *list, lparam); return true;
    case WM_MOUSEMOVE: mouse_move(window, *list, lparam); return true;
    case WM_LBUTTONUP: button_up(window, *list, lparam, true); return true;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lparam) != window) button_up(window, *list, lparam, false);
      return true;
    default: return false;
  }
}

LRESULT CALLBACK status_window_procedure(HWND window, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* list = static_cast<StatusItemList*>(
        reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
    if (list == list_in_creation) list_in_creation = nullptr;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(list));
  }
  StatusItemList* list = list_of(window);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, 0, 0);
    free_status_items(list);
  } else if (list && handle(window, list, message, wparam, lparam)) {
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool register_status_class(HINSTANCE instance) {
  if (registered) return true;
  make_resources();
  WNDCLASSA window_class{};
  window_class.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  window_class.lpfnWndProc = status_window_procedure;
  window_class.cbWndExtra = sizeof(LONG_PTR);
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.hbrBackground = resources.grey;
  window_class.lpszClassName = status_class_name;
  registered = RegisterClassA(&window_class) != 0 ||
               GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

int32_t status_height(const StatusItemList* list) {
  make_resources();
  return status_bar_height(list, resources.line_height);
}

HWND create_status_bar(HWND parent, int identifier, const RECT& place, StatusItemList* list) {
  list_in_creation = list;
  HWND bar = CreateWindowExA(
      0, status_class_name, "", WS_CHILD | WS_VISIBLE, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), list);
  // A bar that never saw its list cannot free it.
  if (list_in_creation) free_status_items(list_in_creation);
  list_in_creation = nullptr;
  return bar;
}
