// scrivane.exe as a process: started beside a stand-in twyndle.exe that
// records its command line, driven through its window as twyndle drives it.
#include "scrivane/resource.h"
#include "scrivane/tests/win32_support.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <vector>

namespace scrivane {
namespace {

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
    program_ = folder_.at("scrivane.exe");
    ASSERT_TRUE(CopyFileA(beside_test("scrivane.exe").c_str(), program_.c_str(), FALSE));
  }

  void launch(const std::string& arguments) { ASSERT_TRUE(scrivane_.start(program_, arguments, folder_.path())); }

  // Starts scrivane with the arguments; its host window, none when it did
  // not start or showed no window.
  HWND launch_host(const std::string& arguments) {
    bool started = scrivane_.start(program_, arguments, folder_.path());
    EXPECT_TRUE(started) << arguments;
    return started ? wait_for_window("SCRIV32") : nullptr;
  }

  // Closes the host window; scrivane then ends with code 0.
  void close_host(HWND host) {
    PostMessageA(host, WM_CLOSE, 0, 0);
    EXPECT_EQ(wait_for_exit(), 0u);
  }

  HWND wait_for_window(const std::string& class_name, const char* title = nullptr) {
    return scrivane_.wait_for_window(class_name, title, 15000);
  }

  DWORD wait_for_exit() { return scrivane_.wait_for_exit(15000); }

  std::string stub_record() {
    std::string record;
    wait_until([&] { return !(record = read_file(folder_.at("twyndle-command-line.txt"))).empty(); });
    return record;
  }

  std::vector<std::string> stub_arguments() {
    std::string record = stub_record();
    return system_split(record.substr(0, record.find("\r\n")));
  }

  TempFolder folder_;
  std::string program_;
  Process scrivane_;
};

// scrivane with the stand-in twyndle.exe beside it.
class ScrivaneBesideTwyndle : public ScrivaneProcess {
 protected:
  void SetUp() override {
    ScrivaneProcess::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(CopyFileA(beside_test("scrivane_twyndle_stub.exe").c_str(), folder_.at("twyndle.exe").c_str(),
                          FALSE));
  }
};

TEST_F(ScrivaneBesideTwyndle, HostsTwyndleAnswersItAndOpensItsRequests) {
  std::string left = folder_.at("left file.txt");
  std::string right_dir = folder_.path() + "\\right dir\\";
  std::string log = folder_.at("requests.log");
  write_file(left, "one\r\ntwo\r\nthree\r\nfour\r\n");
  HWND host = launch_host("/german /log \"" + log + "\" -- -d \"" + left + "\" \"" + right_dir + "\\\"");
  ASSERT_NE(host, nullptr);

  EXPECT_EQ(stub_arguments(), (std::vector<std::string>{"-d", left, right_dir}));
  EXPECT_NE(stub_record().find("host=1"), std::string::npos);
  std::string quoted_program = "\"" + folder_.at("twyndle.exe") + "\"";
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

  EXPECT_EQ(scrivane_.processes_started(), 2u) << "scrivane and the twyndle it started";

  close_host(host);
}

TEST_F(ScrivaneBesideTwyndle, WithoutGermanAnswersZeroAndStartsNoTwyndle) {
  HWND host = launch_host("/nocompare a.txt b.txt");
  ASSERT_NE(host, nullptr);
  // An answer comes from the message loop, which scrivane enters after the
  // point where it starts twyndle: by now a twyndle it started is counted.
  EXPECT_EQ(SendMessageA(host, RegisterWindowMessageA("SCPresent"), 1, 0), 0);
  EXPECT_EQ(scrivane_.processes_started(), 1u) << "no process besides scrivane";
  close_host(host);
}

TEST_F(ScrivaneBesideTwyndle, CompareDialogStartsTwyndleWithTheChosenPathsAndOptions) {
  HWND host = launch_host("");
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
  close_host(host);
}

TEST_F(ScrivaneProcess, MissingTwyndleIsReportedAndTheHostStaysUp) {
  launch("a.txt b.txt");
  std::string text = scrivane_.answer_dialog("Scrivane", IDOK);
  EXPECT_NE(text.find("Cannot start " + folder_.at("twyndle.exe")), std::string::npos) << text;
  HWND host = wait_for_window("SCRIV32");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(host, RegisterWindowMessageA("SCPresent"), 0, 0)), host);
  close_host(host);
}

TEST_F(ScrivaneProcess, UsageIsShownWithoutTheHostWindow) {
  launch("/?");
  HWND box = wait_for_window("#32770", "Scrivane");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(dialog_text(box).rfind("Usage: scrivane", 0), 0u) << dialog_text(box);
  EXPECT_EQ(scrivane_.window("SCRIV32"), nullptr);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(wait_for_exit(), 0u);
}

TEST_F(ScrivaneProcess, UnknownOptionShowsTheUsageAndEndsWithCodeOne) {
  launch("/bogus");
  std::string text = scrivane_.answer_dialog("Scrivane", IDOK);
  EXPECT_EQ(text.rfind("Unknown option: /bogus", 0), 0u) << text;
  EXPECT_NE(text.find("Usage: scrivane"), std::string::npos);
  EXPECT_EQ(wait_for_exit(), 1u);
}

}  // namespace
}  // namespace scrivane
