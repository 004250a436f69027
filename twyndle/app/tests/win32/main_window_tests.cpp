// The main window driven in-process: runs, the status bar, changes, the
// exit / abort / back button, Escape and the table's notices.
#include "twyndle/app/busy_state.h"
#include "twyndle/app/commands.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/worker_run.h"
#include "twyndle/engine/engine_options.h"
#include "twyndle/res/resource.h"

namespace {
const char left_text[] = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";
const char right_text[] = "one\r\n2\r\nthree\r\nfour\r\nfive\r\nsix\r\n";

class MainWindow : public AppTest {
 protected:
  void two_files(bool german = false, std::vector<std::string> options = {}) {
    left_ = files_.write("left\\a.txt", left_text);
    right_ = files_.write("right\\a.txt", right_text);
    options.push_back(left_);
    options.push_back(right_);
    ASSERT_TRUE(start(options, german).run_loop);
  }

  void two_folders() {
    files_.write("left\\same.txt", "same\r\n");
    files_.write("right\\same.txt", "same\r\n");
    files_.write("left\\differs.txt", left_text);
    files_.write("right\\differs.txt", right_text);
    files_.write("left\\gone.txt", "gone\r\n");
    files_.write("right\\sub\\new.txt", "new\r\n");
    ASSERT_TRUE(start({files_.at("left"), files_.at("right")}).run_loop);
  }

  int32_t outline_row_named(const std::string& name) {
    for (int32_t row = 0; row < view_row_count(app.current_view); ++row) {
      const char* text = view_cell_text(app.current_view, row, 1);
      if (text && name == text) return row;
    }
    return -1;
  }

  std::string left_;
  std::string right_;
};

TEST_F(MainWindow, TwoFilesEndExpandedWithTheFourButtons) {
  two_files();
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_TRUE(view_is_expanded(app.current_view));
  EXPECT_EQ(status_text(IDM_NEXT_CHANGE), "(F4) Next-> ");
  EXPECT_EQ(status_text(IDM_PREVIOUS_CHANGE), " <-Prev (F3)");
  EXPECT_EQ(status_text(IDM_PRINT), "Print (^p)");
  EXPECT_EQ(status_text(IDM_SAVE), "Save");
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "");
  EXPECT_EQ(status_text(IDC_STATUS_LABEL), view_current_name(app.current_view));
  char title[64] = "";
  GetWindowTextA(app.main_window, title, sizeof title);
  EXPECT_STREQ(title, "Twyndle");
  EXPECT_EQ(std::string(app.print_title), left_ + " : " + right_);
  EXPECT_FALSE(app.busy);
  EXPECT_TRUE(boxes_.boxes().empty());
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
  two_folders();
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_EQ(view_row_count(app.current_view), 4);
  for (int id : {IDM_NEXT_CHANGE, IDM_PREVIOUS_CHANGE, IDM_PRINT, IDM_SAVE, IDC_EXIT_BUTTON, IDC_STATUS_LABEL}) {
    EXPECT_EQ(status_text(id), "") << id;
  }
}

TEST_F(MainWindow, EnterExpandsAndEscapeGoesBackWithTheItemSelected) {
  two_folders();
  int32_t row = outline_row_named(".\\differs.txt");
  ASSERT_GE(row, 0);
  select_row(row);
  EXPECT_EQ(app.selected_row, row);
  press(VK_RETURN);
  EXPECT_EQ(app.display_mode, mode_expanded);
  EXPECT_TRUE(view_is_expanded(app.current_view));
  EXPECT_EQ(row_text(0), "1|    |one\r\n");
  press(VK_ESCAPE);
  EXPECT_EQ(app.display_mode, mode_outline);
  EXPECT_FALSE(view_is_expanded(app.current_view));
  EXPECT_EQ(app.selected_row, row);
}

TEST_F(MainWindow, ExitButtonExpandsGoesBackAndFinallyCloses) {
  two_folders();
  select_row(outline_row_named(".\\same.txt"));
  command(IDC_EXIT_BUTTON);
  EXPECT_EQ(app.display_mode, mode_expanded);
  command(IDC_EXIT_BUTTON);
  EXPECT_EQ(app.display_mode, mode_outline);
  SendMessageA(app.table, TM_RESET, 0, 0);
  EXPECT_EQ(app.current_view, nullptr);
  EXPECT_EQ(app.display_mode, mode_empty);
  EXPECT_EQ(status_text(IDC_EXIT_BUTTON), "Exit");
  EXPECT_STREQ(app.print_title, "");
  HWND window = app.main_window;
  command(IDC_EXIT_BUTTON);
  EXPECT_FALSE(IsWindow(window));
}
}  // namespace
