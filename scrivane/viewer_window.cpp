#include "scrivane/viewer_window.h"

#include "scrivane/resource.h"
#include "twyndle/ui/gdi_guards.h"

#include <algorithm>
#include <cstdio>

namespace scrivane {

const char* const ViewerWindow::class_name = "ScrivaneViewer";

namespace {

const int text_margin = 6;  // pixels between the line numbers and the text

int decimal_digits(size_t value) {
  int digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

}  // namespace

ViewerWindow::ViewerWindow(std::string path, TextLines lines, HFONT font,
                           std::function<void(ViewerWindow*)> closed)
    : path_(std::move(path)), lines_(std::move(lines)), font_(font), closed_(std::move(closed)) {}

bool ViewerWindow::register_class(HINSTANCE instance) {
  return register_thunk_class<ViewerWindow>(instance, class_name, COLOR_WINDOW);
}

ViewerWindow* ViewerWindow::open(HINSTANCE instance, const std::string& path, TextLines lines,
                                 HFONT font, std::function<void(ViewerWindow*)> closed) {
  if (!register_class(instance)) return nullptr;
  auto* viewer = new ViewerWindow(path, std::move(lines), font, std::move(closed));
  // Once WM_NCCREATE has bound it, the window owns the viewer and deletes it
  // even when creation fails later; before that it is ours to delete.
  bool adopted = false;
  viewer->adopted_ = &adopted;
  HWND hwnd = CreateWindowExA(0, class_name, path.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, 760, 560, nullptr, nullptr, instance, viewer);
  if (!hwnd) {
    if (!adopted) delete viewer;
    return nullptr;
  }
  viewer->adopted_ = nullptr;
  ShowWindow(hwnd, SW_SHOWNORMAL);
  return viewer;
}

void ViewerWindow::detach() {
  hwnd_ = nullptr;
  list_ = nullptr;
  if (closed_) closed_(this);
  delete this;
}

LRESULT ViewerWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return create_list() ? 0 : -1;
    case WM_SIZE:
      MoveWindow(list_, 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
      return 0;
    case WM_SETFOCUS:
      SetFocus(list_);
      return 0;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = line_height_;
      return TRUE;
    case WM_DRAWITEM:
      draw_line(*reinterpret_cast<DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_VKEYTOITEM:
      if (LOWORD(wparam) == VK_ESCAPE) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      return -1;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

bool ViewerWindow::create_list() {
  measure_font();
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NODATA |
                LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT | LBS_NOTIFY;
  list_ = CreateWindowExA(0, "LISTBOX", "", style, 0, 0, 0, 0, hwnd_,
                          reinterpret_cast<HMENU>(IDC_VIEWER_LIST),
                          reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE)),
                          nullptr);
  if (!list_) return false;
  fill_list();
  return true;
}

void ViewerWindow::measure_font() {
  TEXTMETRICA metrics = {};
  {
    WindowDc dc(hwnd_);
    Selected select(dc.get(), font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FIXED_FONT));
    GetTextMetricsA(dc.get(), &metrics);
  }
  line_height_ = std::max<int>(1, metrics.tmHeight + metrics.tmExternalLeading);
  char_width_ = std::max<int>(1, metrics.tmAveCharWidth);
}

void ViewerWindow::fill_list() {
  gutter_width_ = (decimal_digits(lines_.line_count()) + 1) * char_width_;
  SendMessageA(list_, LB_SETITEMHEIGHT, 0, line_height_);
  SendMessageA(list_, LB_SETCOUNT, lines_.line_count(), 0);
  size_t width = gutter_width_ + text_margin + (lines_.widest_columns + 2) * char_width_;
  // The list reports thumb positions in 16 bits.
  SendMessageA(list_, LB_SETHORIZONTALEXTENT, std::min<size_t>(width, 0xffff), 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void ViewerWindow::replace_lines(TextLines lines) {
  lines_ = std::move(lines);
  SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  fill_list();
}

void ViewerWindow::set_font(HFONT font) {
  font_ = font;
  measure_font();
  fill_list();
}

int ViewerWindow::visible_lines() const {
  RECT client = {};
  GetClientRect(list_, &client);
  return std::max<int>(1, (client.bottom - client.top) / line_height_);
}

void ViewerWindow::go_to_line(unsigned long line_number) {
  size_t count = lines_.line_count();
  if (line_number == 0 || count == 0) {
    SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(list_, LB_SETTOPINDEX, 0, 0);
    return;
  }
  size_t index = std::min<size_t>(line_number, count) - 1;
  size_t above = static_cast<size_t>(visible_lines() / 3);
  SendMessageA(list_, LB_SETTOPINDEX, index > above ? index - above : 0, 0);
  SendMessageA(list_, LB_SETCURSEL, index, 0);
}

void ViewerWindow::bring_to_front() {
  if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  SetForegroundWindow(hwnd_);
  SetFocus(list_);
}

void ViewerWindow::draw_line(const DRAWITEMSTRUCT& item) const {
  const RECT& rect = item.rcItem;
  bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (item.itemID < lines_.line_count()) {
    Selected select(item.hDC, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(SYSTEM_FIXED_FONT));
    SetBkMode(item.hDC, TRANSPARENT);
    char number[24];
    int length = std::snprintf(number, sizeof number, "%u", item.itemID + 1);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
    SetTextAlign(item.hDC, TA_RIGHT | TA_TOP);
    TextOutA(item.hDC, rect.left + gutter_width_ - char_width_ / 2, rect.top, number, length);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetTextAlign(item.hDC, TA_LEFT | TA_TOP);
    LineSpan line = lines_.shown_line(item.itemID);
    int text_left = rect.left + gutter_width_ + text_margin;
    int tab_width = tab_columns * char_width_;
    TabbedTextOutA(item.hDC, text_left, rect.top, line.text, static_cast<int>(line.length), 1,
                   &tab_width, text_left);
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &rect);
}

}  // namespace scrivane
