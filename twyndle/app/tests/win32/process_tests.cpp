// twyndle.exe end to end: started as a process, with the real scrivane.exe
// as its host (or none), driven from outside through its windows and
// checked by its exit code, the files it writes and the host's request log.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/host_ini.h"
#include "tests/support/process_windows.h"
#include "tests/support/temp_folder.h"
#include "twyndle/app/win_pos.h"

namespace {
using namespace test_support;

constexpr const char* main_class = "Twyndle Class";

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override { set_ini_value("Twyndle", "WinPos", "0,1,0,0,-1,-1,20,20,820,620"); }

  // scrivane.exe as the host, logging the requests it gets.
  void start_host(const std::string& options = "") {
    log_ = files_.at("requests.log");
    std::string arguments = options + " /nocompare /log " + in_quotes(log_);
    ASSERT_TRUE(host_.start(beside_test("scrivane.exe"), arguments, files_.path()));
    ASSERT_NE(host_.wait_for_window("SCRIV32"), nullptr);
  }

  void start_twyndle(const std::string& arguments) {
    ASSERT_TRUE(twyndle_.start(beside_test("twyndle.exe"), arguments, files_.path()));
  }

  // The main window once it is shown and its run is over. Command 194 with
  // no item is a probe: it does nothing when idle, and while a run is busy
  // it shows the busy box and returns only when that box is closed. Sent
  // messages are handled in the order sent, so when a probe returns, every
  // box an earlier probe raised is already up (the probe may be running in
  // its message loop); they are all closed, and gone, before the window is
  // handed back, so that no busy box is taken for a box of the test.
  HWND wait_for_idle_window() {
    HWND window = twyndle_.wait_for_window(main_class);
    if (!window || !wait_until([&] { return IsWindowVisible(window) != FALSE; })) return nullptr;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 30000;) {
      DWORD_PTR result = 0;
      if (SendMessageTimeoutA(window, WM_COMMAND, 194, 0, SMTO_NORMAL, 300, &result)) {
        return close_busy_boxes() ? window : nullptr;
      }
      close_busy_boxes();
      Sleep(100);
    }
    return nullptr;
  }

  // Closes twyndle's busy boxes, innermost first, until none is shown and
  // every one is gone; false when one stays.
  bool close_busy_boxes() {
    WindowQuery shown{"#32770", twyndle_.id(), "Twyndle", true};
    while (HWND busy = find_top_window(shown)) {
      PostMessageA(busy, WM_COMMAND, IDOK, 0);
      if (!wait_until([&] { return !IsWindowVisible(busy); }, 5000)) return false;
    }
    return wait_until([&] { return twyndle_.window("#32770", "Twyndle") == nullptr; }, 5000);
  }

  HWND table_of(HWND window) { return FindWindowExA(window, nullptr, "SCTabDisplay", nullptr); }

  // F12: the listing written to `path` through the save dialog, the host's
  // question answered No.
  std::string save_listing(HWND window, const std::string& path) {
    key(window, VK_F12);
    HWND dialog = wait_for_box("Save As");
    if (!dialog) return "<no save dialog>";
    if (!SetDlgItemTextA(dialog, 1148, path.c_str())) SetDlgItemTextA(dialog, 1152, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (twyndle_.answer_dialog("Twyndle", IDNO).empty()) return "<no question>";
    return read_file(path);
  }

  void key(HWND window, UINT key) {
    PostMessageA(table_of(window), WM_KEYDOWN, key, 0);
  }

  // A dialog of twyndle's once its texts are in place.
  HWND wait_for_box(const char* title) {
    HWND box = twyndle_.wait_for_window("#32770", title);
    if (box) wait_until([&] { return !dialog_text(box).empty(); }, 5000);
    return box;
  }

  void close(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(twyndle_.wait_for_exit(), 0u);
  }

  std::string log_lines() { return read_file(log_); }

  IniSectionsKept ini_{"Twyndle", "Font"};
  TempFolder files_;
  Process host_;
  Process twyndle_;
  std::string log_;
};

TEST_F(EndToEnd, WithoutAHostTwyndleEndsAtOnceWithCodeZero) {
  ASSERT_EQ(find_top_window(WindowQuery{"SCRIV32"}), nullptr);
  files_.write("a.txt", "a\r\n");
  files_.write("b.txt", "b\r\n");
  start_twyndle("a.txt b.txt");
  EXPECT_EQ(twyndle_.wait_for_exit(), 0u);
  EXPECT_EQ(find_top_window(WindowQuery{main_class, twyndle_.id()}), nullptr);
}

class SavedLists : public EndToEnd {
 protected:
  void make_trees() {
    files_.write("left\\same.txt", "same\r\n");
    files_.write("right\\same.txt", "same\r\n");
    files_.write("left\\Differs.txt", "left\r\n");
    files_.write("right\\differs.txt", "right side\r\n");
    files_.write("left\\gone.txt", "gone\r\n");
    files_.write("right\\new.txt", "new\r\n");
    files_.write("left\\sub\\deep.txt", "deep\r\n");
    files_.write("right\\sub\\deep.txt", "deep\r\n");
    files_.write("right\\sub\\extra.txt", "extra\r\n");
    files_.write("left\\sub\\more\\old.txt", "old\r\n");
  }

  // The list as the states select it, from the trees made above.
  std::string expected(unsigned states) {
    struct Line { const char* name; unsigned state; };
    const Line items[] = {{".\\differs.txt", 2}, {".\\gone.txt", 4}, {".\\new.txt", 8}, {".\\same.txt", 1},
                          {".\\sub\\deep.txt", 1}, {".\\sub\\extra.txt", 8}, {".\\sub\\more\\old.txt", 4}};
    std::string text = "-- left : right -- includes ";
    text += (states & 1) ? "identical," : "";
    text += (states & 4) ? "left-only," : "";
    text += (states & 8) ? "right-only," : "";
    text += (states & 2) ? "differing" : "";
    text += " files\n";
    int count = 0;
    for (const Line& item : items) {
      if (!(item.state & states)) continue;
      text += std::string(item.name) + "\n";
      ++count;
    }
    return text + "-- " + std::to_string(count) + " files listed\n";
  }
};

TEST_F(SavedLists, EveryLetterCombinationWritesItsStatesAndEnds) {
  make_trees();
  start_host();
  const char letters[] = "SLRD";
  for (unsigned states = 0; states < 16; ++states) {
    std::string option = "-s";
    for (int bit = 0; bit < 4; ++bit) {
      if (states & (1u << bit)) option += bit % 2 ? letters[bit] : static_cast<char>(letters[bit] + 32);
    }
    std::string list = "list" + std::to_string(states) + ".txt";
    Process run;
    ASSERT_TRUE(run.start(beside_test("twyndle.exe"), option + " " + list + " left right", files_.path()));
    EXPECT_EQ(run.wait_for_exit(), 0u) << option;
    EXPECT_EQ(read_file(files_.at(list)), expected(states ? states : 6)) << option;
  }
}

TEST_F(SavedLists, ARootThatIsMissingIsReportedAndEndsWithCodeOne) {
  make_trees();
  start_host();
  start_twyndle("-sLR list.txt left nowhere");
  EXPECT_EQ(twyndle_.answer_dialog("Error", IDOK), "Couldn't find nowhere");
  EXPECT_EQ(twyndle_.wait_for_exit(), 1u);
  EXPECT_FALSE(file_exists(files_.at("list.txt")));
}

class Interactive : public EndToEnd {};

std::string numbered_lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "line " + std::to_string(i) + "\r\n";
  return text;
}

TEST_F(Interactive, TwoFilesEndExpandedAndEnterOpensTheLinesInTheHost) {
  std::string left = files_.write("a.txt", "one\r\n" + numbered_lines(200));
  std::string right = files_.write("b.txt", "one\r\ninserted\r\n" + numbered_lines(200));
  start_host();
  start_twyndle("a.txt b.txt");
  HWND window = wait_for_idle_window();
  ASSERT_NE(window, nullptr);
  key(window, VK_DOWN);    // selects row 0, "one" in both files
  key(window, VK_RETURN);
  ASSERT_TRUE(wait_until([&] { return log_lines().size() > 0; }));
  key(window, VK_F4);      // the next change: "inserted", only in the right file
  key(window, VK_RETURN);
  std::string expected = left + "/1\r\n" + right + "/1\r\n" + right + "/2\r\n";
  EXPECT_TRUE(wait_until([&] { return log_lines() == expected; })) << log_lines();
  close(window);
}

TEST_F(Interactive, OptionsErrorBoxCancelEndsWithCodeOne) {
  start_host();
  start_twyndle("-x a b");
  EXPECT_EQ(twyndle_.answer_dialog("Twyndle Options Error", IDCANCEL), "Please run this from within Scrivane");
  EXPECT_EQ(twyndle_.wait_for_exit(), 1u);
}

TEST_F(Interactive, OptionsErrorBoxOkLeavesTheEmptyWindow) {
  start_host();
  start_twyndle("/q a b");
  EXPECT_EQ(twyndle_.answer_dialog("Twyndle Options Error", IDOK), "Please run this from within Scrivane");
  HWND window = wait_for_idle_window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(twyndle_.running());
  close(window);
}

TEST_F(Interactive, PlacementIsWrittenOnCloseAndAppliedAtTheNextStart) {
  start_host();
  set_ini_value("Twyndle", "WinPos", nullptr);
  start_twyndle("");
  HWND window = wait_for_idle_window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsZoomed(window));
  SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
  MoveWindow(window, 100, 110, 600, 390, TRUE);
  ASSERT_TRUE(wait_until([&] {
    RECT now{};
    GetWindowRect(window, &now);
    return !IsZoomed(window) && now.left == 100 && now.bottom == 500;
  }));
  close(window);
  WinPos saved{};
  ASSERT_TRUE(parse_win_pos(ini_value("Twyndle", "WinPos"), &saved)) << ini_value("Twyndle", "WinPos");
  EXPECT_EQ(saved.flags, 0u);
  EXPECT_EQ(saved.show_command, 1u);
  EXPECT_EQ(saved.min_x, 0);
  EXPECT_EQ(saved.left, 100);
  EXPECT_EQ(saved.top, 110);
  EXPECT_EQ(saved.right, 700);
  EXPECT_EQ(saved.bottom, 500);

  Process again;
  ASSERT_TRUE(again.start(beside_test("twyndle.exe"), "", files_.path()));
  HWND second = again.wait_for_window(main_class);
  ASSERT_NE(second, nullptr);
  ASSERT_TRUE(wait_until([&] { return IsWindowVisible(second) != FALSE; }));
  RECT placed{};
  GetWindowRect(second, &placed);
  EXPECT_FALSE(IsZoomed(second));
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 110);
  EXPECT_EQ(placed.right, 700);
  EXPECT_EQ(placed.bottom, 500);
  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(again.wait_for_exit(), 0u);
}

TEST_F(Interactive, GermanTextsWhenTheHostAsksForThem) {
  files_.write("a.txt", numbered_lines(100) + "two\r\n");
  files_.write("b.txt", numbered_lines(100) + "zwei\r\n");
  start_host("/german");
  start_twyndle("a.txt b.txt");
  HWND window = wait_for_idle_window();
  ASSERT_NE(window, nullptr);
  key(window, VK_F4);
  key(window, VK_F4);
  EXPECT_EQ(twyndle_.answer_dialog("Twyndle", IDOK), "Keine weiteren \xC4nderungen");
  close(window);
}

TEST_F(Interactive, AbortDuringALongCompareKeepsWhatWasScanned) {
  const int count = 2000;
  for (int i = 0; i < count; ++i) files_.write("tree\\f" + std::to_string(10000 + i) + ".txt", "x\r\n");
  start_host();
  start_twyndle("tree tree");
  HWND window = twyndle_.wait_for_window(main_class);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(wait_until([&] { return window_text(window) == "Twyndle, Please wait..."; }, 20000));
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(551, 0x202), 0);
  ASSERT_TRUE(wait_until([&] { return window_text(window) == "Twyndle"; }, 30000));
  EXPECT_TRUE(twyndle_.running());
  // The outline keeps the rows scanned before the abort, and no more: its
  // listing has one line per row after four lines of header and separator.
  std::string listing = save_listing(window, files_.at("outline.txt"));
  size_t lines = std::count(listing.begin(), listing.end(), '\n');
  EXPECT_LT(lines, static_cast<size_t>(count) + 4) << listing.substr(0, 300);
  if (lines > 4) {
    EXPECT_NE(listing.find("====\r\n1\t.\\f10000.txtidentical\r\n"), std::string::npos) << listing.substr(0, 300);
  }
  close(window);
}
}  // namespace
