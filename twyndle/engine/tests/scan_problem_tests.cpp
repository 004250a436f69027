// Trees that hold what cannot be compared: directories that cannot be read,
// pipes and other entries that are no files, links that lead round in a
// circle, and paths longer than the platform's short path calls take.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/save_list.h"
#include "twyndle/engine/scan_problems.h"
#include "twyndle/engine/tests/compare_fixture.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
using Lines = std::vector<std::string>;

class Scan : public testing::Test {
 protected:
  void SetUp() override {
    dir.make_folder("l");
    dir.make_folder("r");
  }
  void TearDown() override { compare_list_release(list); }
  void compare() {
    compare_list_release(list);
    list = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), nullptr, 1);
    ASSERT_NE(list, nullptr);
  }
  Lines items() const { return item_lines(compare_list_items(list), true); }
  std::string reported() const { return ui.scan_report(); }

  TempFolder dir;
  RecordingUi ui;
  CompareList* list = nullptr;
};

TEST_F(Scan, NothingToReportGivesNoMessage) {
  dir.write("l\\a", "a");
  dir.write("r\\a", "a");
  compare();
  EXPECT_TRUE(ui.recorded().empty());
  EXPECT_EQ(compare_list_complete(list), 1);
  EXPECT_EQ(scan_report(list->left, list->right), "");
}

TEST(ScanReport, NamesTheFirstEntriesAndCountsTheRest) {
  TempFolder dir;
  DirTree* tree = tree_new(dir.path().c_str(), 1);
  for (int i = 0; i < 5; ++i) {
    tree_note_problem(tree, problem_unreadable, ".\\d" + std::to_string(i) + "\\", "D" + std::to_string(i));
  }
  EXPECT_EQ(scan_report(tree, nullptr, 2),
            "Some files were not compared:\nCould not read the directory D0\nCould not read the directory D1\n"
            "and 3 more");
  EXPECT_TRUE(tree_unread_covers(tree, ".\\d3\\deeper\\x.c"));
  EXPECT_FALSE(tree_unread_covers(tree, ".\\d33\\x.c")) << "a name that only begins alike";
  EXPECT_FALSE(tree_unread_covers(tree, ".\\x.c"));
  tree_release(tree);
}

// Long paths: two trees 200 directories deep, whose deepest files differ.
// Made through the file seam, which reaches such paths on both platforms.
TEST_F(Scan, PathsFarPastMaxPathAreComparedAndNotDropped) {
  std::string deep;
  for (int level = 0; level < 200; ++level) {
    deep += "dd\\";
    for (const char* side : {"l\\", "r\\"}) ASSERT_TRUE(fs_create_directory(dir.at(side + deep).c_str())) << level;
  }
  ASSERT_GT(dir.at("l\\" + deep).size(), 600u);
  dir.write("l\\" + deep + "deepest.txt", "left text\n");
  dir.write("r\\" + deep + "deepest.txt", "right text, longer\n");
  dir.write("l\\" + deep + "same.txt", "same\n");
  dir.write("r\\" + deep + "same.txt", "same\n");
  compare();
  std::string relative = ".\\" + deep;
  EXPECT_EQ(items(), (Lines{"4|" + relative + "deepest.txt|different sizes", "1|" + relative + "same.txt|identical"}));
  EXPECT_TRUE(ui.recorded().empty()) << ui.texts().front();
  auto* item = static_cast<CompareItem*>(list_first(compare_list_items(list)));
  std::vector<Row> changed = {{LeftLinesOnly, 1, 0, 1, 1}, {RightLinesOnly, 0, 1, 1, 1}};
  EXPECT_EQ(rows_of(composite_sections(item)), changed) << "its lines are read too";
}

#ifdef _WIN32
TEST_F(Scan, UnreadableDirectoriesCannotBeMadeHere) {
  GTEST_SKIP() << "Wine gives every process the rights of the user who runs it, so no directory can be made "
                  "unreadable from here; the native build tests this with a user who cannot read it";
}
#else
// As root every directory can be read: the test drops to the user nobody
// for the compare, so that a directory with no rights for anyone is really
// refused.
class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser() {
    if (geteuid() != 0) return;
    dropped_ = setegid(65534) == 0 && seteuid(65534) == 0;
  }
  ~AsUnprivilegedUser() {
    if (geteuid() != 0 && seteuid(0) == 0) setegid(0);
  }
  bool refused_to_others() const { return geteuid() != 0; }

 private:
  bool dropped_ = false;
};

class Unreadable : public Scan {
 protected:
  void SetUp() override {
    Scan::SetUp();
    chmod(native_path(dir.path()).c_str(), 0755);
    for (const char* folder : {"l\\sub\\deeper", "r\\sub\\deeper", "r\\t"}) dir.make_folder(folder);
    dir.write("l\\a.c", "a");
    dir.write("r\\a.c", "a");
    dir.write("l\\sub\\x.c", "x");
    dir.write("l\\sub\\deeper\\y.c", "y");
    dir.write("r\\sub\\x.c", "x");
    dir.write("r\\sub\\deeper\\y.c", "y");
    dir.write("r\\sub\\right_only.c", "r");
    dir.write("r\\t\\z.c", "z");
  }
  void TearDown() override {
    for (const char* folder : {"l", "r", "l\\sub", "r\\sub"}) chmod(native_path(dir.at(folder)).c_str(), 0755);
    Scan::TearDown();
  }
  void compare_as_user_who_cannot_read(const std::string& relative) {
    chmod(native_path(dir.at(relative)).c_str(), 0);
    AsUnprivilegedUser user;
    if (!user.refused_to_others()) GTEST_SKIP() << "cannot run as a user without rights here";
    compare();
  }
};

TEST_F(Unreadable, AnUnreadableDirectoryIsReportedAndItsFilesAreNotOneSided) {
  compare_as_user_who_cannot_read("l\\sub");
  EXPECT_EQ(items(), (Lines{"1|.\\a.c|identical", "6|.\\t\\z.c|only in " + dir.at("r")}))
      << "nothing under sub is called right-only: the left side of it is unknown";
  EXPECT_EQ(reported(), "Could not read the directory " + dir.at("l\\sub"));
  EXPECT_EQ(compare_list_complete(list), 0);
  std::string file = dir.at("list.txt");
  EXPECT_FALSE(save_list(list, file.c_str(), 0xF)) << "a list with a hole in it is not saved as a whole one";
}

TEST_F(Unreadable, OnTheRightSideTheSame) {
  compare_as_user_who_cannot_read("r\\sub");
  EXPECT_EQ(items(), (Lines{"1|.\\a.c|identical", "6|.\\t\\z.c|only in " + dir.at("r")}));
  EXPECT_EQ(reported(), "Could not read the directory " + dir.at("r\\sub"));
}

TEST_F(Unreadable, AnUnreadableRootIsReportedAndNothingIsOneSided) {
  compare_as_user_who_cannot_read("l");
  EXPECT_EQ(items(), Lines{});
  EXPECT_EQ(reported(), "Could not read the directory " + dir.at("l"));
  EXPECT_EQ(compare_list_complete(list), 0);
}

TEST_F(Unreadable, AFileAgainstAnUnreadableDirectoryIsNotOneSided) {
  std::string file = dir.write("x.c", "x");
  chmod(native_path(dir.at("r")).c_str(), 0);
  {
    AsUnprivilegedUser user;
    if (!user.refused_to_others()) GTEST_SKIP() << "cannot run as a user without rights here";
    list = compare_paths(file.c_str(), dir.at("r").c_str(), nullptr, 1);
  }
  chmod(native_path(dir.at("r")).c_str(), 0755);
  EXPECT_EQ(items(), Lines{}) << "x.c may well be in the directory that could not be read";
  EXPECT_EQ(reported(), "Could not read the directory " + dir.at("r"));
}

TEST_F(Scan, APipeIsSkippedWithANoteAndNeverOpened) {
  dir.write("l\\a.c", "a");
  dir.write("r\\a.c", "a");
  dir.write("r\\pipe", "a file on this side");
  ASSERT_EQ(mkfifo(native_path(dir.at("l\\pipe")).c_str(), 0644), 0);
  compare();
  EXPECT_EQ(items(), (Lines{"1|.\\a.c|identical", "6|.\\pipe|only in " + dir.at("r")}));
  EXPECT_EQ(reported(), "Not a file or a directory, skipped: " + dir.at("l\\pipe"));
  EXPECT_EQ(compare_list_complete(list), 1) << "skipped on purpose, not lost";
  EXPECT_EQ(fs_open_read(dir.at("l\\pipe").c_str()), nullptr) << "a pipe is not opened (it would wait)";
}

TEST_F(Scan, APipeGivenAsARootIsNotOpened) {
  ASSERT_EQ(mkfifo(native_path(dir.at("pipe")).c_str(), 0644), 0);
  std::string file = dir.write("f", "f");
  EXPECT_EQ(compare_paths(dir.at("pipe").c_str(), file.c_str(), nullptr, 1), nullptr);
  EXPECT_EQ(ui.texts(), Lines{"Couldn't find " + dir.at("pipe")});
}

TEST_F(Scan, LinksToFilesAreFollowedAndBrokenLinksSkipped) {
  dir.write("target.c", "through a link");
  dir.write("r\\linked.c", "through a link");
  ASSERT_EQ(symlink(native_path(dir.at("target.c")).c_str(), native_path(dir.at("l\\linked.c")).c_str()), 0);
  ASSERT_EQ(symlink(native_path(dir.at("nowhere")).c_str(), native_path(dir.at("l\\broken")).c_str()), 0);
  compare();
  EXPECT_EQ(items(), (Lines{"1|.\\linked.c|identical"}));
  EXPECT_EQ(reported(), "Not a file or a directory, skipped: " + dir.at("l\\broken"));
}

TEST_F(Scan, ALinkBackUpItsOwnPathIsNotFollowed) {
  dir.write("l\\a\\f.c", "f");
  dir.write("r\\a\\f.c", "f");
  ASSERT_EQ(symlink("..", native_path(dir.at("l\\a\\loop")).c_str()), 0);
  compare();
  EXPECT_EQ(items(), (Lines{"1|.\\a\\f.c|identical"})) << "no phantom items below the loop";
  EXPECT_EQ(reported(), "A link back to a directory above it, not followed: " + dir.at("l\\a\\loop"));
  EXPECT_EQ(compare_list_complete(list), 1);
}

TEST_F(Scan, ALoopThroughTwoLinksIsCutWhereItCloses) {
  dir.write("l\\a\\x.c", "x");
  dir.write("l\\b\\y.c", "y");
  ASSERT_EQ(symlink("../b", native_path(dir.at("l\\a\\to_b")).c_str()), 0);
  ASSERT_EQ(symlink("../a", native_path(dir.at("l\\b\\to_a")).c_str()), 0);
  compare();
  EXPECT_EQ(item_lines(compare_list_items(list)),
            (Lines{".\\a\\x.c", ".\\a\\to_b\\y.c", ".\\b\\y.c", ".\\b\\to_a\\x.c"}))
      << "each directory is entered once more through the other's link, and no further";
  EXPECT_EQ(reported(), "A link back to a directory above it, not followed: " + dir.at("l\\a\\to_b\\to_a") +
                            "\nA link back to a directory above it, not followed: " + dir.at("l\\b\\to_a\\to_b"));
}

TEST_F(Scan, ALinkToADirectoryOffThePathIsFollowed) {
  dir.write("shared\\s.c", "s");
  dir.write("r\\lib\\s.c", "s");
  ASSERT_EQ(symlink(native_path(dir.at("shared")).c_str(), native_path(dir.at("l\\lib")).c_str()), 0);
  compare();
  EXPECT_EQ(items(), (Lines{"1|.\\lib\\s.c|identical"}));
  EXPECT_TRUE(ui.recorded().empty());
}
#endif
}  // namespace
