// Files held open without sharing, as a program that has them open holds
// them: the window never calls such a pair identical or compares it as
// empty, tells the user which files it could not read, and Enter on the pair
// says why it shows nothing.
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/view_display.h"
#include "twyndle/engine/tests/refused_files.h"
#include "twyndle/res/resource.h"

#include <optional>

namespace {
const char why[] = "\n\nAnother program may have the file open, or you may not be allowed to read it.";

class Unreadable : public AppTest {
 protected:
  void enter_on(int32_t row) {
    select_row(row);
    press(VK_RETURN);
  }
};

TEST_F(Unreadable, TwoFilesHeldByAnotherProgramAreNeitherIdenticalNorEmpty) {
  std::string left = files_.write("left\\a.txt", "same\r\n");
  std::string right = files_.write("right\\a.txt", "same\r\n");
  RefusedFiles held({left, right});
  ASSERT_TRUE(held.refused());
  ASSERT_TRUE(start({left, right}).run_loop);

  ASSERT_EQ(view_row_count(program.current_view), 1);
  EXPECT_EQ(row_text(0), "1|.\\a.txt|couldn't read either file");
  EXPECT_EQ(view_row_state(program.current_view, 0), SizesDiffer) << "the next change stops at it";
  EXPECT_EQ(app.display_mode, mode_outline) << "there are no lines to expand";
  ASSERT_EQ(boxes_.texts(), std::vector<std::string>{"Some files were not compared:\nCould not read the file " +
                                                     left + "\nCould not read the file " + right});
  EXPECT_EQ(boxes_.boxes()[0].title, "Twyndle");

  enter_on(0);
  ASSERT_EQ(boxes_.texts().size(), 2u);
  EXPECT_EQ(boxes_.texts()[1], "Couldn't read " + left + why);
  EXPECT_EQ(boxes_.boxes()[1].title, "Error");
  EXPECT_EQ(boxes_.boxes()[1].style, static_cast<UINT>(MB_ICONHAND));
  EXPECT_EQ(app.display_mode, mode_outline);
  pump_for(50);
  EXPECT_TRUE(host_->requests().empty()) << "nothing is opened in the host";
}

TEST_F(Unreadable, OneHeldFileOfTheSameSizeIsNotGivenDifferentSizes) {
  std::string left = files_.write("left\\a.txt", "12345\r\n");
  std::string right = files_.write("right\\b.txt", "12345\r\n");
  RefusedFiles held({right});
  ASSERT_TRUE(held.refused());
  ASSERT_TRUE(start({left, right}).run_loop);
  ASSERT_EQ(view_row_count(program.current_view), 1);
  EXPECT_EQ(row_text(0), "1|.\\a.txt : .\\b.txt|couldn't read the right file");
  EXPECT_EQ(boxes_.texts(), std::vector<std::string>{"Some files were not compared:\nCould not read the file " + right});
}

TEST_F(Unreadable, InFoldersEnterSaysWhichFileAndExpandsOnceItCanBeRead) {
  files_.write("left\\same.txt", "same\r\n");
  files_.write("right\\same.txt", "same\r\n");
  std::string held_path = files_.write("left\\sub\\held.txt", "one\r\ntwo\r\n");
  files_.write("right\\sub\\held.txt", "one\r\n2!!\r\n");
  std::optional<RefusedFiles> held(std::in_place, std::vector<std::string>{held_path});
  ASSERT_TRUE(held->refused());
  ASSERT_TRUE(start({files_.at("left"), files_.at("right")}).run_loop);
  ASSERT_EQ(app.display_mode, mode_outline);
  int32_t row = outline_row_named(".\\sub\\held.txt");
  ASSERT_GE(row, 0);
  EXPECT_EQ(row_text(row), std::to_string(row + 1) + "|.\\sub\\held.txt|couldn't read the left file")
      << "not \"same size\": nothing was compared";
  EXPECT_EQ(row_text(outline_row_named(".\\same.txt")), "1|.\\same.txt|identical");
  EXPECT_EQ(boxes_.texts(),
            std::vector<std::string>{"Some files were not compared:\nCould not read the file " + held_path});

  enter_on(row);
  ASSERT_EQ(boxes_.texts().size(), 2u);
  EXPECT_EQ(boxes_.texts()[1], "Couldn't read " + held_path + why);
  EXPECT_EQ(app.display_mode, mode_outline);
  command(IDC_EXIT_BUTTON);  // the exit button expands in outline mode: the same answer
  ASSERT_EQ(boxes_.texts().size(), 3u);
  EXPECT_EQ(boxes_.texts()[2], boxes_.texts()[1]);

  held.reset();
  enter_on(row);
  EXPECT_EQ(boxes_.texts().size(), 3u);
  ASSERT_EQ(app.display_mode, mode_expanded) << "read again once the other program let go";
  EXPECT_EQ(row_text(0), "1|    |one\r\n");
  EXPECT_EQ(row_text(1), "2| <! |two\r\n");
}
}  // namespace
