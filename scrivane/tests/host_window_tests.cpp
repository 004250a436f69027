// The host window in this process: the two registered messages, open
// requests and their viewers, the request log and the display font.
#include "scrivane/font_store.h"
#include "scrivane/host_window.h"
#include "scrivane/resource.h"
#include "scrivane/tests/win32_support.h"
#include "scrivane/viewer_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace scrivane {
namespace {

std::string numbered_lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

class HostWindowTest : public ::testing::Test {
 protected:
  void start(bool german, bool with_log = true) {
    HostSettings settings;
    settings.german = german;
    if (with_log) settings.log_path = log_path();
    host_.reset(new HostWindow(settings));
    // Hidden: nothing here needs to see it, and under an X server without a
    // window manager every shown window costs seconds to take down.
    ASSERT_TRUE(host_->create(GetModuleHandleA(nullptr), SW_HIDE));
  }

  void TearDown() override {
    host_.reset();
    pump_until([] { return true; }, 0);
  }

  std::string log_path() const { return folder_.at("requests.log"); }

  // A file of the folder holding `count` numbered lines; its path.
  std::string numbered_file(const std::string& name, int count) const {
    std::string path = folder_.at(name);
    write_file(path, numbered_lines(count));
    return path;
  }

  UINT present() const { return RegisterWindowMessageA("SCPresent"); }

  // Posts an open request the way twyndle does and handles it.
  void post_request(const std::string& text) {
    ATOM atom = GlobalAddAtomA(text.c_str());
    ASSERT_NE(atom, 0);
    ASSERT_TRUE(PostMessageA(host_->hwnd(), RegisterWindowMessageA("EPOpenDoc"), 1, atom));
    pump_until([&] { return GlobalFindAtomA(text.c_str()) == 0; });
  }

  // Asks the host to open the file at the line (the request's text after
  // the slash; none: no line) and gives the viewer that shows it.
  HWND open_at(const std::string& path, const std::string& line) {
    post_request(line.empty() ? path : path + "/" + line);
    return viewer(path);
  }

  HWND viewer(const std::string& path) {
    WindowQuery query{ViewerWindow::class_name, GetCurrentProcessId(), path.c_str(), true};
    HWND found = nullptr;
    pump_until([&] { return (found = find_top_window(query)) != nullptr; });
    return found;
  }

  static BOOL CALLBACK count_viewer(HWND window, LPARAM count) {
    if (class_of(window) == ViewerWindow::class_name) ++*reinterpret_cast<int*>(count);
    return TRUE;
  }

  int viewer_count() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_viewer, reinterpret_cast<LPARAM>(&count));
    return count;
  }

  TempFolder folder_;
  std::unique_ptr<HostWindow> host_;
};

TEST_F(HostWindowTest, AnswersPresenceWithItsWindowAndLanguage) {
  start(false);
  EXPECT_EQ(class_of(host_->hwnd()), "SCRIV32");
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(host_->hwnd(), present(), 0, 0)), host_->hwnd());
  EXPECT_EQ(SendMessageA(host_->hwnd(), present(), 1, 0), 0);
  EXPECT_EQ(SendMessageA(host_->hwnd(), present(), 7, 0), 0);
  host_.reset();
  start(true);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(host_->hwnd(), present(), 0, 0)), host_->hwnd());
  EXPECT_EQ(SendMessageA(host_->hwnd(), present(), 1, 0), 1);
}

TEST_F(HostWindowTest, OpensFileAtLineLogsAndDeletesTheAtom) {
  start(false);
  std::string path = numbered_file("with blank.txt", 40);
  HWND window = open_at(path, "3");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(viewer_line_count(window), 40);
  EXPECT_EQ(viewer_selected_line(window), 3);
  EXPECT_LE(viewer_top_line(window), 3);
  EXPECT_EQ(read_file(log_path()), path + "/3\r\n");
  EXPECT_EQ(GlobalFindAtomA((path + "/3").c_str()), 0);
  HWND requests = GetDlgItem(host_->hwnd(), IDC_REQUEST_LIST);
  ASSERT_EQ(SendMessageA(requests, LB_GETCOUNT, 0, 0), 1);
}

TEST_F(HostWindowTest, SecondRequestReusesTheViewerWithTheFileReadAgain) {
  start(false);
  std::string path = numbered_file("again.txt", 10);
  HWND window = open_at(path, "2");
  ASSERT_NE(window, nullptr);
  write_file(path, numbered_lines(300));
  std::string upper = path;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  post_request(upper + "/250");
  EXPECT_EQ(viewer_count(), 1);
  EXPECT_EQ(viewer_line_count(window), 300);
  EXPECT_EQ(viewer_selected_line(window), 250);
  EXPECT_LE(viewer_top_line(window), 250);
  EXPECT_EQ(read_file(log_path()), path + "/2\r\n" + upper + "/250\r\n");
}

TEST_F(HostWindowTest, LinePastTheEndSelectsTheLastAndNoLineSelectsNone) {
  start(false, false);
  std::string past = numbered_file("past.txt", 5);
  std::string none = numbered_file("none.txt", 5);
  HWND past_viewer = open_at(past, "99999999999999999999");
  ASSERT_NE(past_viewer, nullptr);
  EXPECT_EQ(viewer_selected_line(past_viewer), 5);
  HWND none_viewer = open_at(none, "");
  ASSERT_NE(none_viewer, nullptr);
  EXPECT_EQ(viewer_selected_line(none_viewer), 0);
  EXPECT_EQ(viewer_top_line(none_viewer), 1);
  EXPECT_FALSE(GetFileAttributesA(log_path().c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(HostWindowTest, MissingFileIsReportedAndOpensNoViewer) {
  start(false);
  std::string missing = folder_.at("missing.txt");
  DialogAnswerer answerer;
  post_request(missing + "/4");
  pump_until([&] { return answerer.answered(); });
  EXPECT_EQ(answerer.title(), "Scrivane");
  EXPECT_NE(answerer.message().find("Cannot open " + missing), std::string::npos) << answerer.message();
  pump_until([] { return false; }, 200);
  EXPECT_EQ(viewer_count(), 0);
  EXPECT_EQ(read_file(log_path()), missing + "/4\r\n");
}

TEST_F(HostWindowTest, WholeTextNamingAFileWinsOverAFolderAndNumber) {
  start(false, false);
  std::string data = folder_.at("data");
  ASSERT_TRUE(CreateDirectoryA(data.c_str(), nullptr));
  write_file(data + "\\2024", numbered_lines(3));
  HWND window = open_at(data + "/2024", "");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(viewer_line_count(window), 3);
  EXPECT_EQ(viewer_selected_line(window), 0);
}

TEST_F(HostWindowTest, LargeFileWithAHugeLineOpensAtTheLine) {
  start(false, false);
  std::string path = folder_.at("large.txt");
  write_file(path, numbered_lines(200000) + std::string(4u << 20, 'x') + "\r\ntail\r\n");
  HWND window = open_at(path, "150000");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(viewer_line_count(window), 200002);
  EXPECT_EQ(viewer_selected_line(window), 150000);
  post_request(path + "/200001");
  EXPECT_EQ(viewer_selected_line(window), 200001);
  UpdateWindow(window);
  EXPECT_TRUE(RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN));
}

TEST_F(HostWindowTest, DeadAtomIsIgnored) {
  start(false);
  ATOM dead = GlobalAddAtomA("scrivane test atom that is deleted at once");
  ASSERT_NE(dead, 0);
  GlobalDeleteAtom(dead);
  UINT open = RegisterWindowMessageA("EPOpenDoc");
  EXPECT_EQ(SendMessageA(host_->hwnd(), open, 1, dead), 0);
  EXPECT_EQ(SendMessageA(host_->hwnd(), open, 1, 0), 0);
  EXPECT_EQ(viewer_count(), 0);
  EXPECT_FALSE(GetFileAttributesA(log_path().c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(HostWindowTest, UnwritableLogIsReportedOnceAndRequestsStillOpen) {
  HostSettings settings;
  settings.log_path = folder_.at("no-such-folder\\requests.log");
  host_.reset(new HostWindow(settings));
  ASSERT_TRUE(host_->create(GetModuleHandleA(nullptr), SW_HIDE));
  std::string path = numbered_file("a.txt", 8);
  {
    DialogAnswerer answerer;
    post_request(path + "/2");
    pump_until([&] { return answerer.answered(); });
    EXPECT_NE(answerer.message().find("Cannot write the request log"), std::string::npos);
  }
  ASSERT_NE(viewer(path), nullptr);
  EXPECT_EQ(viewer_selected_line(viewer(path)), 2);
  DialogAnswerer second;
  post_request(path + "/6");
  pump_until([] { return false; }, 300);
  EXPECT_FALSE(second.answered());
  EXPECT_EQ(viewer_selected_line(viewer(path)), 6);
}

TEST(FontStore, WritesTheSixKeysAndReadsThemBack) {
  IniSectionsKept keeper{"Font"};
  FontSettings font{-16, 700, 1, 0, 34, "Tahoma"};  // height, weight, italic, char set, pitch, face
  ASSERT_TRUE(save_font_settings(font));
  std::vector<std::pair<std::string, std::string>> stored;
  for (const char* key : {"Height", "Weight", "Italic", "CharSet", "PitchAndFamily", "FaceName"}) {
    stored.emplace_back(key, ini_value("Font", key));
  }
  EXPECT_EQ(stored, (std::vector<std::pair<std::string, std::string>>{
                        {"Height", "-16"}, {"Weight", "700"}, {"Italic", "1"}, {"CharSet", "0"},
                        {"PitchAndFamily", "34"}, {"FaceName", "Tahoma"}}));
  EXPECT_EQ(GetPrivateProfileIntA("Font", "Height", 0, host_ini_file), -16);
  LOGFONTA logfont = logfont_from_settings(load_font_settings());
  EXPECT_EQ(logfont.lfHeight, -16);
  EXPECT_EQ(logfont.lfWeight, 700);
  EXPECT_EQ(logfont.lfItalic, 1);
  EXPECT_EQ(logfont.lfPitchAndFamily, 34);
  EXPECT_STREQ(logfont.lfFaceName, "Tahoma");
}

TEST_F(HostWindowTest, FontCommandWritesTheChosenFontAndViewersUseIt) {
  IniSectionsKept keeper{"Font"};
  FontSettings font;
  font.height = -16;  // 12 points at 96 pixels per inch
  font.weight = 700;
  font.face_name = "Liberation Mono";
  ASSERT_TRUE(save_font_settings(font));
  start(false, false);
  std::string path = numbered_file("shown.txt", 3);
  HWND list = GetDlgItem(open_at(path, "1"), IDC_VIEWER_LIST);
  ASSERT_NE(list, nullptr);
  int bold_height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  remove_ini_section("Font");
  std::string size_shown;
  DialogAnswerer answerer(IDOK, [&](HWND dialog) {
    char size[16] = "";
    GetDlgItemTextA(dialog, 1138, size, sizeof size);  // the font dialog's size box
    size_shown = size;
    HWND size_box = GetDlgItem(dialog, 1138);
    SendMessageA(size_box, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("24"));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1138, CBN_SELCHANGE), reinterpret_cast<LPARAM>(size_box));
  });
  SendMessageA(host_->hwnd(), WM_COMMAND, IDM_FONT, 0);
  ASSERT_TRUE(answerer.answered());
  EXPECT_EQ(answerer.title(), "Font");
  EXPECT_EQ(size_shown, "12");
  EXPECT_EQ(ini_value("Font", "Height"), "-32");
  EXPECT_EQ(ini_value("Font", "Weight"), "700");
  EXPECT_EQ(ini_value("Font", "Italic"), "0");
  EXPECT_EQ(ini_value("Font", "FaceName"), "Liberation Mono");
  EXPECT_FALSE(ini_value("Font", "PitchAndFamily").empty());
  EXPECT_FALSE(ini_value("Font", "CharSet").empty());
  EXPECT_GT(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), bold_height);
}

TEST_F(HostWindowTest, FontDialogStartsAtTheShownDefaultAndCancelWritesNothing) {
  IniSectionsKept keeper{"Font"};
  remove_ini_section("Font");
  start(false, false);
  std::string face_box, face_listed, size;
  DialogAnswerer answerer(IDCANCEL, [&](HWND dialog) {
    char text[LF_FACESIZE + 8] = "";
    GetDlgItemTextA(dialog, 1136, text, sizeof text);  // the face box
    face_box = text;
    LRESULT index = SendDlgItemMessageA(dialog, 1136, CB_GETCURSEL, 0, 0);
    if (index >= 0) {
      SendDlgItemMessageA(dialog, 1136, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
      face_listed = text;
    }
    GetDlgItemTextA(dialog, 1138, text, sizeof text);
    size = text;
  });
  SendMessageA(host_->hwnd(), WM_COMMAND, IDM_FONT, 0);
  ASSERT_TRUE(answerer.answered());
  EXPECT_FALSE(face_box.empty());
  EXPECT_EQ(face_listed, face_box);
  EXPECT_EQ(size, "10");
  EXPECT_EQ(ini_value("Font", "Height"), "");
  EXPECT_EQ(ini_value("Font", "FaceName"), "");
}

}  // namespace
}  // namespace scrivane
