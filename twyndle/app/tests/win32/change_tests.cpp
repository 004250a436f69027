// Moving between changes, and Enter on expanded rows: open requests to the
// host and the jump to a moved block's other copy.
#include <cstdlib>

#include "twyndle/app/host_link.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/view_display.h"
#include "twyndle/res/resource.h"

namespace {
// Rows of the expanded compare below:
//   0 "1|    |one"  1 "2| <! |two"  2 "| !> |2"  3-5 three, four, five  6 "| !> |six"

class Changes : public AppTest {
 protected:
  void compare(const char* left, const char* right, bool german = false) {
    left_ = files_.write("l\\a.txt", left);
    right_ = files_.write("r\\a.txt", right);
    ASSERT_TRUE(start({left_, right_}, german).run_loop);
    ASSERT_EQ(app.display_mode, mode_expanded);
  }

  void enter_on(int32_t row) {
    select_row(row);
    press(VK_RETURN);
  }

  std::string left_;
  std::string right_;
};

TEST_F(Changes, F4AndF3WalkTheChangeBlocks) {
  compare(left_text, right_text);
  EXPECT_EQ(app.selected_row, -1);
  press(VK_F4);  // from the top row
  EXPECT_EQ(app.selected_row, 1);
  press(VK_F4);
  EXPECT_EQ(app.selected_row, 6);
  press(VK_F3);  // the last row of the block before
  EXPECT_EQ(app.selected_row, 2);
  EXPECT_TRUE(boxes_.boxes().empty());
  press(VK_F3);
  EXPECT_EQ(app.selected_row, 2);
  ASSERT_EQ(boxes_.texts(), std::vector<std::string>{"No Previous Changes"});
  EXPECT_EQ(boxes_.boxes()[0].title, "Twyndle");
  EXPECT_EQ(boxes_.boxes()[0].style, static_cast<UINT>(MB_ICONINFORMATION));
  EXPECT_EQ(boxes_.boxes()[0].owner, app.main_window);
}

TEST_F(Changes, WithNothingSelectedAChangeOnTheFirstLineIsTheNextChange) {
  compare("first\r\nsame\r\n", "1st\r\nsame\r\n");
  ASSERT_NE(view_row_state(program.current_view, 0), Equal);
  press(VK_F4);
  EXPECT_EQ(app.selected_row, 0);
  EXPECT_TRUE(boxes_.boxes().empty());
  press(VK_F4);  // from the selected block on, there is none after it
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"No More Changes"});
}

TEST_F(Changes, NoMoreChangesAfterTheLastAndNoneBeforeRowZero) {
  compare(left_text, right_text);
  select_row(6);
  press(VK_F4);
  select_row(0);
  press(VK_F3);
  EXPECT_EQ(boxes_.texts(), (std::vector<std::string>{"No More Changes", "No Previous Changes"}));
  EXPECT_EQ(app.selected_row, 0);
}

TEST_F(Changes, GermanMessages) {
  compare(left_text, right_text, true);
  select_row(6);
  command(IDM_NEXT_CHANGE);
  command(IDM_PREVIOUS_CHANGE);
  select_row(0);
  command(IDM_PREVIOUS_CHANGE);
  EXPECT_EQ(boxes_.texts(), (std::vector<std::string>{"Keine weiteren \xC4nderungen",
                                                      "Keine vorhergehenden \xC4nderungen"}));
  EXPECT_EQ(app.selected_row, 0);
}

TEST_F(Changes, OutlineStepsFromOneDifferingFileToTheNext) {
  files_.write("l\\a.txt", "same\r\n");
  files_.write("r\\a.txt", "same\r\n");
  files_.write("l\\b.txt", "b\r\n");
  files_.write("r\\b.txt", "bb\r\n");
  files_.write("l\\c.txt", "only\r\n");
  files_.write("l\\d.txt", "d\r\n");
  files_.write("r\\d.txt", "dd\r\n");
  ASSERT_TRUE(start({files_.at("l"), files_.at("r")}).run_loop);
  ASSERT_EQ(app.display_mode, mode_outline);
  command(IDM_NEXT_CHANGE);
  EXPECT_EQ(app.selected_row, 1);
  command(IDM_NEXT_CHANGE);
  EXPECT_EQ(app.selected_row, 3);
  command(IDM_NEXT_CHANGE);
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"No More Changes"});
  command(IDM_PREVIOUS_CHANGE);
  EXPECT_EQ(app.selected_row, 1);
  select_row(2);
  command(IDM_PREVIOUS_CHANGE);
  EXPECT_EQ(app.selected_row, 1);
}

TEST_F(Changes, WithOnlyChangesF4AndF3VisitEveryChangeBlock) {
  // Twelve single-line changes among 120 lines: with the equal lines left
  // out they would stand next to each other as one run of changed rows.
  std::string left, right;
  for (int i = 1; i <= 120; ++i) {
    left += "line " + std::to_string(i) + "\r\n";
    right += (i % 10 == 5 ? "changed " : "line ") + std::to_string(i) + "\r\n";
  }
  left_ = files_.write("l\\a.txt", left);
  right_ = files_.write("r\\a.txt", right);
  ASSERT_TRUE(start({"-o", left_, right_}).run_loop);
  ASSERT_EQ(app.display_mode, mode_expanded);
  std::vector<int32_t> visited;
  for (int step = 0; step < 20 && boxes_.boxes().empty(); ++step) {
    press(VK_F4);
    if (boxes_.boxes().empty()) visited.push_back(app.selected_row);
  }
  EXPECT_EQ(visited, (std::vector<int32_t>{1, 4, 7, 10, 13, 16, 19, 22, 25, 28, 31, 34}));
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"No More Changes"});
  std::vector<int32_t> back;
  for (int step = 0; step < 20 && boxes_.boxes().size() == 1; ++step) {
    press(VK_F3);
    if (boxes_.boxes().size() == 1) back.push_back(app.selected_row);
  }
  EXPECT_EQ(back.size(), 11u) << "every block before the last, each at its last row";
  EXPECT_EQ(back.front(), 32);
  EXPECT_EQ(row_text(3), "6|    |... 9 equal lines left out ...");
}

TEST_F(Changes, OutlineFindsADifferingFirstRowGoingBack) {
  files_.write("l\\a.txt", "a\r\n");
  files_.write("r\\a.txt", "aa\r\n");
  files_.write("l\\b.txt", "b\r\n");
  files_.write("r\\b.txt", "b\r\n");
  ASSERT_TRUE(start({files_.at("l"), files_.at("r")}).run_loop);
  select_row(1);
  command(IDM_PREVIOUS_CHANGE);
  EXPECT_EQ(app.selected_row, 0);
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Changes, EnterOnARowInBothFilesOpensLeftThenRight) {
  compare(left_text, right_text);
  enter_on(3);
  pump_for(30);
  EXPECT_EQ(host_->requests(), (std::vector<std::string>{left_ + "/3", right_ + "/3"}));
}

TEST_F(Changes, EnterOnAOneSidedRowOpensOnlyThatFile) {
  compare(left_text, right_text);
  enter_on(2);
  pump_for(30);
  EXPECT_EQ(host_->requests(), std::vector<std::string>{right_ + "/2"});
  host_->clear();
  enter_on(1);
  pump_for(30);
  EXPECT_EQ(host_->requests(), std::vector<std::string>{left_ + "/2"});
}

TEST_F(Changes, EnterOnAMovedRowSelectsTheOtherCopy) {
  compare("alpha\r\nbeta\r\ngamma\r\ndelta\r\nepsilon\r\nzeta\r\neta\r\n",
          "epsilon\r\nzeta\r\neta\r\nalpha\r\nbeta\r\ngamma\r\ndelta\r\n");
  int32_t moved_left = -1;
  for (int32_t row = 0; row < view_row_count(program.current_view); ++row) {
    if (view_row_state(program.current_view, row) == MovedLeftLines) {
      moved_left = row;
      break;
    }
  }
  ASSERT_GE(moved_left, 0);
  enter_on(moved_left);
  ASSERT_NE(app.selected_row, moved_left);
  EXPECT_EQ(view_row_state(program.current_view, app.selected_row), MovedRightLines);
  EXPECT_EQ(std::string(view_cell_text(program.current_view, app.selected_row, 2)),
            view_cell_text(program.current_view, moved_left, 2));
  pump_for(30);
  int32_t left_line = view_left_number(program.current_view, moved_left);
  int32_t right_line = -view_right_number(program.current_view, moved_left);
  EXPECT_EQ(host_->requests(), (std::vector<std::string>{left_ + "/" + std::to_string(left_line),
                                                         right_ + "/" + std::to_string(right_line)}));
}

TEST_F(Changes, OpenRequestsThatDoNotFitAnAtomAreRefusedWithAMessage) {
  ASSERT_TRUE(start({}).run_loop);
  std::string fits = "C:\\" + std::string(248, 'p');      // "/123" makes 255
  std::string too_long = "C:\\" + std::string(249, 'p');  // "/123" makes 256
  EXPECT_TRUE(post_open_request(app.host, app.main_window, fits.c_str(), 123));
  EXPECT_FALSE(post_open_request(app.host, app.main_window, too_long.c_str(), 123));
  EXPECT_FALSE(post_open_request(app.host, app.main_window, ("C:\\" + std::string(300, 'q')).c_str(), 0));
  pump_for(30);
  EXPECT_EQ(host_->requests(), std::vector<std::string>{fits + "/123"});
  ASSERT_EQ(boxes_.boxes().size(), 2u);
  EXPECT_EQ(boxes_.texts()[0], "The path is too long to hand over to Scrivane:\n" + too_long + "/123");
  EXPECT_EQ(boxes_.boxes()[0].title, "Twyndle");
  EXPECT_EQ(boxes_.boxes()[0].style, static_cast<UINT>(MB_ICONHAND));
}

TEST_F(Changes, ARelativePathIsHandedOverInFull) {
  ASSERT_TRUE(start({}).run_loop);
  char saved[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof saved, saved);
  SetCurrentDirectoryA(files_.path().c_str());
  bool posted = post_open_request(app.host, app.main_window, "sub\\rel.txt", 5);
  SetCurrentDirectoryA(saved);
  EXPECT_TRUE(posted);
  pump_for(30);
  EXPECT_EQ(host_->requests(), std::vector<std::string>{files_.at("sub\\rel.txt") + "/5"});
}
}  // namespace
