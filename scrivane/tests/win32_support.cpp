#include "scrivane/tests/win32_support.h"

#include "scrivane/font_settings.h"
#include "scrivane/resource.h"

#include <vector>

namespace scrivane {

namespace {

const char* const ini_name = "scriv32.ini";
const char* const font_keys_list[] = {"Height", "Weight", "Italic", "CharSet", "PitchAndFamily", "FaceName"};

struct WindowSearch {
  DWORD process_id;
  std::string class_name;
  const char* title;
  HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
  if (class_of(window) != search->class_name) return TRUE;
  if (search->title && window_text(window) != search->title) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK longest_static(HWND child, LPARAM param) {
  auto* longest = reinterpret_cast<std::string*>(param);
  if (lstrcmpiA(class_of(child).c_str(), "Static") == 0) {
    std::string text = window_text(child);
    if (text.size() > longest->size()) *longest = text;
  }
  return TRUE;
}

BOOL CALLBACK first_dialog(HWND window, LPARAM param) {
  if (IsWindowVisible(window) && class_of(window) == "#32770") {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

DialogAnswerer* active_answerer = nullptr;

}  // namespace

bool pump_until(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(20);
  }
  return true;
}

HWND find_process_window(DWORD process_id, const std::string& class_name, const char* title) {
  WindowSearch search{process_id ? process_id : GetCurrentProcessId(), class_name, title, nullptr};
  EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string window_text(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string class_of(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string dialog_message(HWND dialog) {
  std::string longest;
  EnumChildWindows(dialog, longest_static, reinterpret_cast<LPARAM>(&longest));
  return longest;
}

int viewer_selected_line(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETCURSEL, 0, 0)) + 1;
}

int viewer_line_count(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETCOUNT, 0, 0));
}

int viewer_top_line(HWND viewer) {
  return static_cast<int>(SendMessageA(GetDlgItem(viewer, IDC_VIEWER_LIST), LB_GETTOPINDEX, 0, 0)) + 1;
}

DialogAnswerer::DialogAnswerer(int command, std::function<void(HWND)> action)
    : command_(command), action_(std::move(action)) {
  active_answerer = this;
  timer_ = SetTimer(nullptr, 0, 50, on_timer);
}

DialogAnswerer::~DialogAnswerer() {
  KillTimer(nullptr, timer_);
  active_answerer = nullptr;
}

void CALLBACK DialogAnswerer::on_timer(HWND, UINT, UINT_PTR, DWORD) {
  if (active_answerer) active_answerer->look();
}

void DialogAnswerer::look() {
  if (answered_) return;
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), first_dialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;
  answered_ = true;
  title_ = window_text(dialog);
  message_ = dialog_message(dialog);
  if (action_) action_(dialog);
  PostMessageA(dialog, WM_COMMAND, command_, 0);
}

FontSectionKeeper::FontSectionKeeper() {
  for (const char* key : font_keys_list) {
    std::string value = ini_font_key(key);
    if (!value.empty()) saved_[key] = value;
  }
}

FontSectionKeeper::~FontSectionKeeper() {
  WritePrivateProfileStringA(font_section, nullptr, nullptr, ini_name);
  for (const auto& key : saved_) {
    WritePrivateProfileStringA(font_section, key.first.c_str(), key.second.c_str(), ini_name);
  }
}

std::string ini_font_key(const std::string& key) {
  char value[256] = "";
  GetPrivateProfileStringA(font_section, key.c_str(), "", value, sizeof value, ini_name);
  return value;
}

}  // namespace scrivane
