#include "twyndle/app/tests/win32/process_support.h"

namespace {
std::string beside_test(const std::string& name) {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string path(module);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

struct Search {
  std::string class_name;
  DWORD process_id;
  const char* title;
  HWND found;
};

BOOL CALLBACK look_at(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  char class_name[128] = "";
  GetClassNameA(window, class_name, sizeof class_name);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  bool matches = search->class_name == class_name && (!search->process_id || owner == search->process_id) &&
                 (!search->title || window_title(window) == search->title);
  if (matches) search->found = window;
  return !matches;
}

BOOL CALLBACK longest_static(HWND child, LPARAM lparam) {
  char class_name[32] = "";
  GetClassNameA(child, class_name, sizeof class_name);
  if (lstrcmpiA(class_name, "Static") == 0) {
    std::string text = window_title(child);
    auto* longest = reinterpret_cast<std::string*>(lparam);
    if (text.size() > longest->size()) *longest = text;
  }
  return TRUE;
}
}  // namespace

bool wait_until(const std::function<bool()>& condition, DWORD timeout_ms) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeout_ms) return false;
    Sleep(20);
  }
  return true;
}

Process::~Process() {
  if (!info_.hProcess) return;
  if (running()) {
    TerminateProcess(info_.hProcess, 3);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hProcess);
  CloseHandle(info_.hThread);
}

bool Process::start(const std::string& program, const std::string& arguments, const std::string& folder) {
  std::string path = beside_test(program);
  std::string line = in_quotes(path) + " " + arguments;
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(path.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info_) != FALSE;
}

DWORD Process::wait_for_exit(DWORD timeout_ms) {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info_.hProcess, timeout_ms) == WAIT_OBJECT_0) GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

bool Process::running() const {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND Process::window(const std::string& class_name, const char* title) const {
  return find_top_window(class_name, info_.dwProcessId, title);
}

HWND Process::wait_for_window(const std::string& class_name, const char* title, DWORD timeout_ms) const {
  HWND found = nullptr;
  wait_until([&] { return (found = window(class_name, title)) != nullptr || !running(); }, timeout_ms);
  return found;
}

HWND find_top_window(const std::string& class_name, DWORD process_id, const char* title) {
  Search search{class_name, process_id, title, nullptr};
  EnumWindows(look_at, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string window_title(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string dialog_text(HWND dialog) {
  std::string longest;
  EnumChildWindows(dialog, longest_static, reinterpret_cast<LPARAM>(&longest));
  while (!longest.empty() && longest.back() == ' ') longest.pop_back();  // the blank boxes get after their text
  return longest;
}

std::string in_quotes(const std::string& text) { return "\"" + text + "\""; }
