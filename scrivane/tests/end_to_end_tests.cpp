// scrivane.exe as a process: started beside a stand-in twyndle.exe that
// records its command line, driven through its window as twyndle drives it.
#include "scrivane/resource.h"
#include "scrivane/tests/temp_folder.h"
#include "scrivane/tests/win32_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

namespace scrivane {
namespace {

std::string beside_this_program(const std::string& name) {
  char module[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, module, sizeof module);
  std::string path(module);
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

// The arguments after the program name, split the way the system does.
std::vector<std::string> system_split(const std::string& line) {
  std::wstring wide(line.begin(), line.end());
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(wide.c_str(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    std::wstring word(words[i]);
    args.emplace_back(word.begin(), word.end());
  }
  LocalFree(words);
  return args;
}

class ScrivaneProcess : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = folder_.file("scrivane.exe");
    ASSERT_TRUE(CopyFileA(beside_this_program("scrivane.exe").c_str(), program_.c_str(), FALSE));
  }

  void TearDown() override {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 3);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }

  void with_twyndle_stub() {
    ASSERT_TRUE(CopyFileA(beside_this_program("scrivane_twyndle_stub.exe").c_str(),
                          folder_.file("twyndle.exe").c_str(), FALSE));
  }

  void launch(const std::string& arguments) {
    std::string line = "\"" + program_ + "\" " + arguments;
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(program_.c_str(), writable.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, folder_.path().c_str(), &startup, &process_));
  }

  HWND wait_for_window(const std::string& class_name, const char* title = nullptr) {
    HWND window = nullptr;
    wait_until([&] { return (window = find_process_window(process_.dwProcessId, class_name, title)) != nullptr; });
    return window;
  }

  DWORD wait_for_exit() {
    DWORD code = 259;
    if (WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0) {
      GetExitCodeProcess(process_.hProcess, &code);
    }
    return code;
  }

  std::string stub_record() {
    std::string record;
    wait_until([&] { return !(record = read_file(folder_.file("twyndle-command-line.txt"))).empty(); });
    return record;
  }

  std::vector<std::string> stub_arguments() {
    std::string record = stub_record();
    return system_split(record.substr(0, record.find("\r\n")));
  }

  TempFolder folder_;
  std::string program_;
  PROCESS_INFORMATION process_ = {};
};

TEST_F(ScrivaneProcess, HostsTwyndleAnswersItAndOpensItsRequests) {
  with_twyndle_stub();
  std::string left = folder_.file("left file.txt");
  std::string right_dir = folder_.path() + "\\right dir\\";
  std::string log = folder_.file("requests.log");
  write_file(left, "one\r\ntwo\r\nthree\r\nfour\r\n");
  launch("/german /log \"" + log + "\" -- -d \"" + left + "\" \"" + right_dir + "\\\"");
  HWND host = wait_for_window("SCRIV32");
  ASSERT_NE(host, nullptr);

  EXPECT_EQ(stub_arguments(), (std::vector<std::string>{"-d", left, right_dir}));
  EXPECT_NE(stub_record().find("host=1"), std::string::npos);
  std::string quoted_program = "\"" + folder_.file("twyndle.exe") + "\"";
  EXPECT_EQ(stub_record().rfind(quoted_program, 0), 0u) << stub_record();

  UINT present = RegisterWindowMessageA("SCPresent");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(host, present, 0, 0)), host);
  EXPECT_EQ(SendMessageA(host, present, 1, 0), 1);

  ATOM atom = GlobalAddAtomA((left + "/3").c_str());
  ASSERT_TRUE(PostMessageA(host, RegisterWindowMessageA("EPOpenDoc"), 1, atom));
  ASSERT_TRUE(wait_until([&] { return read_file(log) == left + "/3\r\n"; })) << read_file(log);
  HWND viewer = wait_for_window("ScrivaneViewer", left.c_str());
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer_selected_line(viewer), 3);
  EXPECT_EQ(viewer_line_count(viewer), 4);

  PostMessageA(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
  EXPECT_EQ(find_process_window(process_.dwProcessId, "ScrivaneViewer"), nullptr);
}

TEST_F(ScrivaneProcess, WithoutGermanAnswersZeroAndStartsNoTwyndle) {
  with_twyndle_stub();
  launch("/nocompare a.txt b.txt");
  HWND host = wait_for_window("SCRIV32");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(SendMessageA(host, RegisterWindowMessageA("SCPresent"), 1, 0), 0);
  EXPECT_TRUE(read_file(folder_.file("twyndle-command-line.txt")).empty());
  PostMessageA(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
}

TEST_F(ScrivaneProcess, CompareDialogStartsTwyndleWithTheChosenPathsAndOptions) {
  with_twyndle_stub();
  launch("");
  HWND host = wait_for_window("SCRIV32");
  ASSERT_NE(host, nullptr);
  PostMessageA(host, WM_COMMAND, IDM_COMPARE, 0);
  HWND dialog = wait_for_window("#32770", "Compare");
  ASSERT_NE(dialog, nullptr);
  std::string left = folder_.path() + "\\a dir\\";
  SetDlgItemTextA(dialog, IDC_LEFT_PATH, ("\"" + left + "\"").c_str());
  SetDlgItemTextA(dialog, IDC_RIGHT_PATH, "-other");
  SendDlgItemMessageA(dialog, IDC_SIDE_BY_SIDE, BM_SETCHECK, BST_CHECKED, 0);
  SendDlgItemMessageA(dialog, IDC_ONLY_CHANGES, BM_SETCHECK, BST_CHECKED, 0);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(stub_arguments(), (std::vector<std::string>{"-d", "-o", left, ".\\-other"}));
  PostMessageA(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
}

TEST_F(ScrivaneProcess, MissingTwyndleIsReportedAndTheHostStaysUp) {
  launch("a.txt b.txt");
  HWND box = wait_for_window("#32770", "Scrivane");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(dialog_message(box).find("Cannot start " + folder_.file("twyndle.exe")), std::string::npos)
      << dialog_message(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND host = wait_for_window("SCRIV32");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(host, RegisterWindowMessageA("SCPresent"), 0, 0)), host);
  PostMessageA(host, WM_CLOSE, 0, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
}

TEST_F(ScrivaneProcess, UsageAndBadOptionsShowTheUsageText) {
  launch("/?");
  HWND box = wait_for_window("#32770", "Scrivane");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(dialog_message(box).rfind("Usage: scrivane", 0), 0u) << dialog_message(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
  EXPECT_EQ(find_process_window(process_.dwProcessId, "SCRIV32"), nullptr);
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};

  launch("/bogus");
  box = wait_for_window("#32770", "Scrivane");
  ASSERT_NE(box, nullptr);
  std::string text = dialog_message(box);
  EXPECT_EQ(text.rfind("Unknown option: /bogus", 0), 0u) << text;
  EXPECT_NE(text.find("Usage: scrivane"), std::string::npos);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(wait_for_exit(), 1u);
}

}  // namespace
}  // namespace scrivane
