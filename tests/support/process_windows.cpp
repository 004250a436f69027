#include "tests/support/process_windows.h"

#include <vector>

namespace test_support {

namespace {
struct Search {
  const WindowQuery& query;
  HWND found;
};

BOOL CALLBACK look_at(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<Search*>(lparam);
  const WindowQuery& query = search->query;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  bool fits = class_of(window) == query.class_name && (!query.process_id || owner == query.process_id) &&
              (!query.title || window_text(window) == query.title) &&
              (!query.visible_only || IsWindowVisible(window));
  if (fits) search->found = window;
  return !fits;
}

BOOL CALLBACK longest_static(HWND child, LPARAM lparam) {
  if (lstrcmpiA(class_of(child).c_str(), "Static") == 0) {
    std::string text = window_text(child);
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

bool pump_until(const std::function<bool()>& condition, DWORD timeout_ms, const MessageDispatcher& dispatch) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) continue;
      if (dispatch) {
        dispatch(&message);
      } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
    if (condition()) return true;
    if (GetTickCount() - start > timeout_ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

HWND find_top_window(const WindowQuery& query) {
  Search search{query, nullptr};
  EnumWindows(look_at, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string window_text(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], length + 1)));
  return text;
}

std::string class_of(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string dialog_text(HWND dialog) {
  std::string longest;
  EnumChildWindows(dialog, longest_static, reinterpret_cast<LPARAM>(&longest));
  while (!longest.empty() && longest.back() == ' ') longest.pop_back();
  return longest;
}

std::string beside_test(const std::string& name) {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string path(module);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::string in_quotes(const std::string& text) { return "\"" + text + "\""; }

Process::~Process() {
  if (info_.hProcess) {
    if (running()) {
      TerminateProcess(info_.hProcess, 3);
      WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  if (job_) CloseHandle(job_);
}

bool Process::start(const std::string& program, const std::string& arguments, const std::string& folder) {
  std::string line = in_quotes(program) + " " + arguments;
  std::vector<char> writable(line.begin(), line.end());
  writable.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  // Suspended until it is in its job, so that nothing it starts escapes the count.
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                      folder.c_str(), &startup, &info_)) {
    return false;
  }
  job_ = CreateJobObjectA(nullptr, nullptr);
  if (job_ && !AssignProcessToJobObject(job_, info_.hProcess)) {
    CloseHandle(job_);
    job_ = nullptr;
  }
  ResumeThread(info_.hThread);
  return true;
}

DWORD Process::processes_started() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
  if (!job_ || !QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                          sizeof accounting, nullptr)) {
    return 0;
  }
  return accounting.TotalProcesses;
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
  return find_top_window(WindowQuery{class_name, info_.dwProcessId, title});
}

HWND Process::wait_for_window(const std::string& class_name, const char* title, DWORD timeout_ms) const {
  WindowQuery visible{class_name, info_.dwProcessId, title, true};
  HWND found = nullptr;
  wait_until([&] { return (found = find_top_window(visible)) != nullptr || !running(); }, timeout_ms);
  return found;
}

std::string Process::answer_dialog(const char* title, int command, DWORD timeout_ms) const {
  HWND dialog = wait_for_window("#32770", title, timeout_ms);
  if (!dialog) return std::string();
  std::string text;
  wait_until([&] { return !(text = dialog_text(dialog)).empty(); }, 5000);
  PostMessageA(dialog, WM_COMMAND, command, 0);
  wait_until([&] { return !IsWindow(dialog); }, 5000);
  return text;
}

}  // namespace test_support
