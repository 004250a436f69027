#include "scrivane/host_window.h"

#include "scrivane/compare_dialog.h"
#include "scrivane/font_store.h"
#include "scrivane/host_options.h"
#include "scrivane/resource.h"
#include "scrivane/twyndle_launcher.h"
#include "scrivane/ui_messages.h"

namespace scrivane {

const char* const HostWindow::class_name = "SCRIV32";

namespace {

const int max_listed_requests = 1000;  // older entries leave the list first

bool register_host_class(HINSTANCE instance) {
  return register_thunk_class<HostWindow>(instance, HostWindow::class_name, COLOR_BTNFACE,
                                          MAKEINTRESOURCEA(IDR_MAIN_MENU));
}

// Copies the face name the font resolved to into face (LF_FACESIZE bytes).
void resolved_face_name(HFONT font, char* face) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  char resolved[LF_FACESIZE] = "";
  if (GetTextFaceA(dc, sizeof resolved, resolved) > 0) lstrcpynA(face, resolved, LF_FACESIZE);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

}  // namespace

HostWindow::HostWindow(HostSettings settings) : settings_(std::move(settings)) {}

HostWindow::~HostWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool HostWindow::create(HINSTANCE instance, int show_command) {
  instance_ = instance;
  present_message_ = RegisterWindowMessageA("SCPresent");
  open_message_ = RegisterWindowMessageA("EPOpenDoc");
  if (!present_message_ || !open_message_ || !register_host_class(instance)) return false;
  if (!CreateWindowExA(0, class_name, app_title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                       560, 360, nullptr, nullptr, instance, this)) {
    return false;
  }
  ShowWindow(hwnd_, show_command);
  UpdateWindow(hwnd_);
  return true;
}

LRESULT HostWindow::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == present_message_) return on_present(wparam);
  if (message == open_message_) return on_open_request(lparam);
  switch (message) {
    case WM_CREATE:
      return on_create() ? 0 : -1;
    case WM_SIZE:
      layout(LOWORD(lparam), HIWORD(lparam));
      return 0;
    case WM_SETFOCUS:
      SetFocus(request_list_);
      return 0;
    case WM_COMMAND:
      on_command(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_DESTROY:
      on_destroy();
      return 0;
  }
  return DefWindowProcA(hwnd_, message, wparam, lparam);
}

bool HostWindow::on_create() {
  caption_ = CreateWindowExA(0, "STATIC", "Open requests received (double-click one to open it again):",
                             WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, 0, 0, 0, 0, hwnd_, nullptr,
                             instance_, nullptr);
  request_list_ = CreateWindowExA(
      WS_EX_CLIENTEDGE, "LISTBOX", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, 0, 0, 0,
      0, hwnd_, reinterpret_cast<HMENU>(IDC_REQUEST_LIST), instance_, nullptr);
  if (!request_list_ || !caption_) return false;
  WPARAM gui_font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageA(caption_, WM_SETFONT, gui_font, 0);
  SendMessageA(request_list_, WM_SETFONT, gui_font, 0);
  requests_.reset(new OpenRequests(instance_, hwnd_, settings_.log_path));
  apply_font(logfont_from_settings(load_font_settings()));
  return true;
}

void HostWindow::layout(int width, int height) {
  const int caption_height = 20;
  MoveWindow(caption_, 4, 3, width - 8, caption_height - 5, TRUE);
  MoveWindow(request_list_, 0, caption_height, width, height > caption_height ? height - caption_height : 0, TRUE);
}

void HostWindow::on_destroy() {
  // The viewers go with the window; requests_ itself lives as long as this
  // object, since a request may still be in a message box when we are closed.
  requests_->close_all();
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  PostQuitMessage(0);
}

LRESULT HostWindow::on_present(WPARAM question) const {
  switch (question) {
    case 0: return reinterpret_cast<LRESULT>(hwnd_);
    case 1: return settings_.german ? 1 : 0;
  }
  return 0;
}

LRESULT HostWindow::on_open_request(LPARAM atom_value) {
  ATOM atom = static_cast<ATOM>(atom_value);
  char text[256] = "";
  UINT length = GlobalGetAtomNameA(atom, text, sizeof text);
  if (length == 0) return 0;  // not an atom: nothing to open
  GlobalDeleteAtom(atom);
  std::string request(text, length);
  add_request_to_list(request);
  return requests_->handle(request) ? 1 : 0;
}

void HostWindow::add_request_to_list(const std::string& text) {
  if (SendMessageA(request_list_, LB_GETCOUNT, 0, 0) >= max_listed_requests) {
    SendMessageA(request_list_, LB_DELETESTRING, 0, 0);
  }
  LRESULT index = SendMessageA(request_list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendMessageA(request_list_, LB_SETCURSEL, index, 0);
}

void HostWindow::on_command(int command, int notification) {
  switch (command) {
    case IDM_COMPARE: compare(); break;
    case IDM_FONT: choose_display_font(); break;
    case IDM_EXIT: DestroyWindow(hwnd_); break;
    case IDM_USAGE: show_message(hwnd_, usage_text(), MB_ICONINFORMATION); break;
    case IDC_REQUEST_LIST:
      if (notification == LBN_DBLCLK) reopen_selected_request();
      break;
  }
}

void HostWindow::compare() {
  if (run_compare_dialog(instance_, hwnd_, last_choice_)) {
    start_twyndle(hwnd_, compare_arguments(last_choice_));
  }
}

void HostWindow::choose_display_font() {
  LOGFONTA logfont = logfont_;
  if (!choose_font(hwnd_, logfont)) return;
  if (!save_font_settings(settings_from_logfont(logfont))) {
    show_message(hwnd_, std::string("Cannot write the font to ") + ini_file_name + ".", MB_ICONERROR);
  }
  apply_font(logfont);
}

void HostWindow::apply_font(const LOGFONTA& logfont) {
  HFONT font = CreateFontIndirectA(&logfont);
  if (!font) return;
  logfont_ = logfont;
  // The font dialog starts from logfont_; give it the face the system really
  // used, since a face that is only an alias (or missing) is not in its list.
  resolved_face_name(font, logfont_.lfFaceName);
  requests_->set_font(font);
  if (font_) DeleteObject(font_);
  font_ = font;
}

void HostWindow::reopen_selected_request() {
  LRESULT index = SendMessageA(request_list_, LB_GETCURSEL, 0, 0);
  if (index < 0) return;
  LRESULT length = SendMessageA(request_list_, LB_GETTEXTLEN, index, 0);
  if (length <= 0) return;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(SendMessageA(request_list_, LB_GETTEXT, index,
                                               reinterpret_cast<LPARAM>(&text[0]))));
  requests_->open_text(text);
}

}  // namespace scrivane
