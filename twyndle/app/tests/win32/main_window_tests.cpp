// The main window driven in-process: runs, the status bar, changes, the
// exit / abort / back button, Escape and the table's notices.
#include "twyndle/app/busy_state.h"
#include "twyndle/app/commands.h"
#include "twyndle/app/table_sink.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/view_display.h"
#include "twyndle/app/worker_run.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/res/resource.h"
#include "twyndle/ui/status_items.h"

#include <cstdio>

namespace {

class MainWindow : public AppTest {
 protected:
  void two_files(bool german = false, std::vector<std::string> options = {}) {
    left_ = files_.write("left\\a.txt", left_text);
    right_ = files_.write("right\\a.txt", right_text);
    options.push_back(left_);
    options.push_back(right_);
    ASSERT_TRUE(start(options, german).run_loop);
  }

  std::string left_;
  std::string right_;
};

TEST_F(MainWindow, TwoFilesEndExpandedWithTheFourButtons) {
  two_files();
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_TRUE(view_is_expanded(program.current_view));
  EXPECT_EQ(status_text(IDM_NEXT_CHANGE), "(F4) Next-> ");
  EXPECT_EQ(status_text(IDM_PREVIOUS_CHANGE), " <-Prev (F3)");
  EXPECT_EQ(status_text(IDM_PRINT), "Print (^p)");
  EXPECT_EQ(status_text(IDM_SAVE), "Save");
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "");
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), view_current_name(program.current_view));
  char title[64] = "";
  GetWindowTextA(app.main_window, title, sizeof title);
  EXPECT_STREQ(title, "Twyndle");
  EXPECT_EQ(std::string(app.print_title), left_ + " : " + right_);
  EXPECT_FALSE(program.busy);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(MainWindow, FilesThatDifferOnlyInLineEndsSaySoInTheStatusBar) {
  left_ = files_.write("left\\a.txt", "one\r\ntwo\r\n");
  right_ = files_.write("right\\a.txt", "one\ntwo\n");
  ASSERT_TRUE(start({left_, right_}).run_loop);
  ASSERT_EQ(app.display_mode, mode_expanded);
  EXPECT_EQ(row_text(0), "1|    |one\n") << "the lines match";
  EXPECT_EQ(view_row_state(program.current_view, 1), Equal);
  EXPECT_EQ(status_text(IDC_STATUS_LABEL),
            std::string(view_current_name(program.current_view)) + " (line ends differ: CR LF left, LF right)");
}

TEST_F(MainWindow, GermanButtonsWhenTheHostAsks) {
  two_files(true);
  EXPECT_TRUE(app.use_german);
  EXPECT_EQ(status_text(IDM_NEXT_CHANGE), "(F4) Weiter-> ");
  EXPECT_EQ(status_text(IDM_PREVIOUS_CHANGE), " <-Vorher (F3)");
  EXPECT_EQ(status_text(IDM_PRINT), "Drucken (^p)");
  EXPECT_EQ(status_text(IDM_SAVE), "Speichern (F12)");
}

TEST_F(MainWindow, TwoFoldersEndInOutlineWithEveryButtonHidden) {
  start_on_two_folders();
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_EQ(view_row_count(program.current_view), 4);
  for (int id : {IDM_NEXT_CHANGE, IDM_PREVIOUS_CHANGE, IDM_PRINT, IDM_SAVE, IDC_EXIT_BUTTON, IDC_STATUS_LABEL}) {
    EXPECT_EQ(status_text(id), "") << id;
  }
}

TEST_F(MainWindow, EnterExpandsAndEscapeGoesBackWithTheItemSelected) {
  start_on_two_folders();
  int32_t row = outline_row_named(".\\sub\\differs.txt");
  ASSERT_GE(row, 0);
  select_row(row);
  EXPECT_EQ(app.selected_row, row);
  press(VK_RETURN);
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_TRUE(view_is_expanded(program.current_view));
  EXPECT_EQ(row_text(0), "1|    |one\r\n");
  // The status bar shows what a two-file run shows.
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), ".\\sub\\differs.txt");
  EXPECT_EQ(status_text(IDM_NEXT_CHANGE), "(F4) Next-> ");
  EXPECT_EQ(status_text(IDM_PREVIOUS_CHANGE), " <-Prev (F3)");
  EXPECT_EQ(status_text(IDM_PRINT), "Print (^p)");
  EXPECT_EQ(status_text(IDM_SAVE), "Save");
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "");
  press(VK_F4);
  EXPECT_EQ(app.selected_row, 1) << "and its next change button works";
  press(VK_ESCAPE);
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(view_is_expanded(program.current_view));
  EXPECT_EQ(app.selected_row, row);
}

TEST_F(MainWindow, EnterOnAPairThatCannotBeReadLeavesTheHostBehind) {
  start_on_two_folders();
  int32_t row = outline_row_named(".\\sub\\differs.txt");
  ASSERT_GE(row, 0);
  ASSERT_TRUE(DeleteFileA(files_.at("left\\sub\\differs.txt").c_str()));
  SetActiveWindow(app.main_window);
  HWND active = GetActiveWindow();
  select_row(row);
  press(VK_RETURN);
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(view_is_expanded(program.current_view));
  EXPECT_EQ(GetActiveWindow(), active);
  EXPECT_NE(GetActiveWindow(), host_->window());
  EXPECT_TRUE(host_->requests().empty());
}

TEST_F(MainWindow, ExitButtonExpandsGoesBackAndFinallyCloses) {
  start_on_two_folders();
  select_row(outline_row_named(".\\same.txt"));
  command(IDC_EXIT_BUTTON);
  EXPECT_EQ(app.display_mode, mode_expanded);
  command(IDC_EXIT_BUTTON);
  EXPECT_EQ(app.display_mode, mode_outline);
  SendMessageA(app.table, TM_RESET, 0, 0);
  EXPECT_EQ(program.current_view, nullptr);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
  EXPECT_STREQ(app.print_title, "");
  HWND window = app.main_window;
  command(IDC_EXIT_BUTTON);
  EXPECT_FALSE(IsWindow(window));
}
}  // namespace

namespace {
// Aborts from inside the table's handling of the worker's notice that the
// outline holds n rows, so that the abort lands at a known point of the scan
// (every append goes to the table at once here). Counts the appends too.
struct AbortHook {
  static WNDPROC original;
  static int32_t abort_at;
  static std::string label_after_abort;
  static std::vector<WPARAM> appends;

  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == TM_APPEND) appends.push_back(wparam);
    LRESULT result = CallWindowProcA(original, window, message, wparam, lparam);
    bool grown = message == TM_APPEND || message == TM_LAYOUT;
    if (grown && !program.abort_requested && view_row_count(program.current_view) == abort_at) {
      exit_button();
      auto* items = reinterpret_cast<StatusItemList*>(GetWindowLongPtrA(app.status_bar, 0));
      label_after_abort = items ? items->items[0].text : "";
    }
    return result;
  }
};
WNDPROC AbortHook::original = nullptr;
std::vector<WPARAM> AbortHook::appends;
int32_t AbortHook::abort_at = 0;
std::string AbortHook::label_after_abort;

class Runs : public MainWindow {
 protected:
  void TearDown() override {
    make_worker_thread = real_thread_maker_;
    table_append_interval_ms = 100;
    MainWindow::TearDown();
  }

  // The window without a run, so that a test can start one itself.
  void empty_window() { ASSERT_TRUE(start({}).run_loop); }

  // Compares the folders left and right from the empty window, the table
  // watched by AbortHook (abort at `abort_at` rows, -1: never) and appends
  // held back for `append_interval_ms`.
  void watched_run(int32_t abort_at, uint32_t append_interval_ms) {
    empty_window();
    table_append_interval_ms = append_interval_ms;
    AbortHook::abort_at = abort_at;
    AbortHook::appends.clear();
    AbortHook::original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(app.table, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AbortHook::procedure)));
    ASSERT_TRUE(start_compare_run(parse_command_line({files_.at("left"), files_.at("right")})));
    ASSERT_TRUE(wait_idle());
    SetWindowLongPtrA(app.table, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AbortHook::original));
  }

  ThreadMaker real_thread_maker_ = make_worker_thread;
};

TEST_F(Runs, WithoutPathsTheWindowStaysEmptyWithItsExitButton) {
  empty_window();
  EXPECT_EQ(program.current_view, nullptr);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
  press(VK_ESCAPE);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
}

TEST_F(Runs, WhileBusyCloseIsRefusedPrintWaitsAndTheButtonAborts) {
  empty_window();
  SetFocus(app.table);
  std::string missing = files_.at("missing");
  boxes_.hold_next();
  CommandLine line = parse_command_line({missing, files_.path()});
  ASSERT_TRUE(start_compare_run(line));
  ASSERT_TRUE(pump_until([&] { return boxes_.holding(); }));

  EXPECT_TRUE(program.busy);
  EXPECT_FALSE(begin_busy());
  char title[64] = "";
  GetWindowTextA(app.main_window, title, sizeof title);
  EXPECT_STREQ(title, "Twyndle, Please wait...");
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "Comparing...");
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), " Abort ");

  set_ini_value("Twyndle", "WinPos", "");
  close_main_window();
  EXPECT_TRUE(IsWindow(app.main_window));
  EXPECT_FALSE(ini_value("Twyndle", "WinPos").empty());

  command(IDM_PRINT);
  ASSERT_EQ(boxes_.texts().back(), "Please wait for current operation to finish");
  EXPECT_EQ(boxes_.boxes().back().style, static_cast<UINT>(MB_ICONHAND));
  EXPECT_EQ(boxes_.boxes().back().title, "Twyndle");

  command(IDC_EXIT_BUTTON);
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "Abort Pending");
  EXPECT_TRUE(program.abort_requested);
  EXPECT_TRUE(IsWindow(app.main_window));

  boxes_.release();
  ASSERT_TRUE(wait_idle());
  RecordedBox found = boxes_.boxes().front();
  EXPECT_EQ(found.text, "Couldn't find " + missing);
  EXPECT_EQ(found.title, "Error");
  EXPECT_FALSE(found.on_main_thread);
  // The worker's box shares the main thread's input while it is shown.
  EXPECT_EQ(found.focus, app.table);
  // The failed compare leaves no View: the window offers Exit again.
  EXPECT_FALSE(program.abort_requested);
  EXPECT_EQ(app.worker_thread, nullptr);
  EXPECT_EQ(program.current_view, nullptr);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
  GetWindowTextA(app.main_window, title, sizeof title);
  EXPECT_STREQ(title, "Twyndle");
}

TEST_F(Runs, AMissingPathIsReportedAndTheWindowThenOffersExit) {
  std::string present = files_.write("present.txt", "p\r\n");
  std::string missing = files_.at("no\\such\\file.txt");
  ASSERT_TRUE(start({missing, present}).run_loop);
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"Couldn't find " + missing});
  EXPECT_EQ(program.current_view, nullptr);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "");
  HWND window = app.main_window;
  command(IDC_EXIT_BUTTON);
  EXPECT_FALSE(IsWindow(window)) << "Exit ends the program";
}

TEST_F(Runs, AbortKeepsWhatWasScanned) {
  for (int i = 0; i < 60; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "f%02d.txt", i);
    files_.write(std::string("left\\") + name, "x\r\n");
    files_.write(std::string("right\\") + name, "x\r\n");
  }
  watched_run(7, 0);

  EXPECT_EQ(AbortHook::label_after_abort, "Abort Pending");
  EXPECT_EQ(view_row_count(program.current_view), 7);
  EXPECT_EQ(row_text(6), "7|.\\f06.txt|identical");
  EXPECT_FALSE(compare_list_complete(view_list(program.current_view)));
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(program.abort_requested);
  EXPECT_FALSE(program.busy);
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "Aborted: outline incomplete");
  select_row(6);
  press(VK_RETURN);
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), ".\\f06.txt");
  press(VK_ESCAPE);
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), "Aborted: outline incomplete") << "the outline is still the partial one";
}

TEST_F(Runs, AScanAbortedAfterItsFirstItemIsNotTakenForTwoFiles) {
  files_.write("left\\a.txt", "x\r\n");
  files_.write("right\\a.txt", "x\r\n");
  files_.write("left\\b.txt", "x\r\n");
  watched_run(1, 0);
  EXPECT_EQ(view_row_count(program.current_view), 1);
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(view_is_expanded(program.current_view));
}

TEST_F(Runs, AppendsAreHeldBackButTheTableHearsTheLastCount) {
  for (int i = 0; i < 300; ++i) {
    files_.write("left\\f" + std::to_string(1000 + i) + ".txt", "x\r\n");
  }
  files_.make_folder("right");
  watched_run(-1, 60000);
  EXPECT_EQ(view_row_count(program.current_view), 300);
  ASSERT_FALSE(AbortHook::appends.empty());
  EXPECT_LE(AbortHook::appends.size(), 3u);
  EXPECT_EQ(AbortHook::appends.back(), 300u);
}

TEST_F(Runs, WithoutAThreadTheRunGoesInline) {
  make_worker_thread = [](LPTHREAD_START_ROUTINE, void*) -> HANDLE { return nullptr; };
  files_.write("l.txt", left_text);
  files_.write("r.txt", right_text);
  host_.reset(new FakeHost(false));
  ASSERT_TRUE(start_twyndle(GetModuleHandleA(nullptr), SW_HIDE, {files_.at("l.txt"), files_.at("r.txt")}).run_loop);
  // No messages pumped: the run is over when start-up returns.
  EXPECT_FALSE(program.busy);
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_EQ(view_row_count(program.current_view), 7);
}

TEST_F(Runs, OneArgumentIsComparedWithTheCurrentFolder) {
  files_.write("here\\a.txt", right_text);
  std::string left = files_.write("there\\a.txt", left_text);
  char saved[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof saved, saved);
  SetCurrentDirectoryA(files_.at("here").c_str());
  StartResult result = start({left});
  SetCurrentDirectoryA(saved);
  ASSERT_TRUE(result.run_loop);
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_EQ(row_text(2), "| !> |2\r\n");
}

TEST_F(Runs, OptionsErrorBoxOkKeepsTheWindowWithoutARun) {
  boxes_.answer_next(IDOK);
  StartResult result = start({"-x", files_.path(), files_.path()});
  EXPECT_TRUE(result.run_loop);
  ASSERT_EQ(boxes_.boxes().size(), 1u);
  RecordedBox box = boxes_.boxes()[0];
  EXPECT_EQ(box.text, "Please run this from within Scrivane");
  EXPECT_EQ(box.title, "Twyndle Options Error");
  EXPECT_EQ(box.style, static_cast<UINT>(MB_ICONINFORMATION | MB_OKCANCEL));
  EXPECT_EQ(box.owner, app.main_window);
  EXPECT_EQ(program.current_view, nullptr);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
}

TEST_F(Runs, OptionsErrorBoxCancelEndsWithCodeOne) {
  boxes_.answer_next(IDCANCEL);
  StartResult result = start({"-sLQ", "list.txt", "a", "b"});
  EXPECT_FALSE(result.run_loop);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(program.current_view, nullptr);
}

TEST_F(Runs, WithoutAHostTheProgramEndsQuietly) {
  StartResult result = start_twyndle(GetModuleHandleA(nullptr), SW_HIDE, {files_.path(), files_.path()});
  EXPECT_FALSE(result.run_loop);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(app.main_window, nullptr);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Runs, CommandLineOptionsReachTheViews) {
  files_.write("l.txt", "a\r\nb\r\nc\r\n");
  files_.write("r.txt", "a\r\nB\r\nc\r\n");
  ASSERT_TRUE(start({"-d", "-o", "-c", files_.at("l.txt"), files_.at("r.txt")}).run_loop);
  EXPECT_EQ(program.side_by_side, 1);
  EXPECT_EQ(program.only_changes, 1);
  EXPECT_EQ(program.colour_marks, 1);
  // The changed lines and a row for each run left out, the right text in a
  // column of its own.
  ASSERT_EQ(view_row_count(program.current_view), 4);
  EXPECT_EQ(std::string(view_cell_text(program.current_view, 2, 3)), "B\r\n");
  EXPECT_EQ(std::string(view_cell_text(program.current_view, 3, 2)), "... 1 equal line left out ...");
}
}  // namespace
