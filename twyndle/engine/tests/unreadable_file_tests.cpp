// Files that another program holds open without sharing, or that the user
// may not read: a pair with such a file is never called identical or
// compared as if the file were empty; the outline says which file it
// could not read, the user is told after the pairing, and expanding the
// pair says why it shows nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/save_list.h"
#include "twyndle/engine/scan_problems.h"
#include "twyndle/engine/source_file.h"
#include "twyndle/engine/tests/compare_fixture.h"
#include "twyndle/engine/tests/refused_files.h"

namespace {
using Lines = std::vector<std::string>;

class UnreadableFiles : public testing::Test {
 protected:
  void TearDown() override { compare_list_release(list); }

  // Compares the two roots while the files are refused; false (and the
  // test skips) where reading cannot be refused here.
  bool compare_refused(const std::string& left, const std::string& right, const Lines& refused) {
    RefusedFiles files(refused);
    if (!files.refused()) return false;
    list = compare_paths(left.c_str(), right.c_str(), nullptr, 1);
    return true;
  }
  bool compare_folders_refused(const Lines& refused) { return compare_refused(dir.at("l"), dir.at("r"), refused); }

  Lines items() const { return item_lines(compare_list_items(list), true); }
  CompareItem* first_item() const { return static_cast<CompareItem*>(list_first(compare_list_items(list))); }
  std::string reported() const { return ui.scan_report(); }

  TempFolder dir;
  RecordingUi ui;
  CompareList* list = nullptr;
};

#define SKIP_UNLESS(refused) \
  if (!(refused)) GTEST_SKIP() << "reading a file cannot be refused to this process here"

TEST_F(UnreadableFiles, TwoFilesNeitherReadableAreNotIdentical) {
  std::string left = dir.write("a.txt", "same bytes\n");
  std::string right = dir.write("b.txt", "same bytes\n");
  RefusedFiles files({left, right});
  SKIP_UNLESS(files.refused());
  list = compare_paths(left.c_str(), right.c_str(), nullptr, 1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(items(), Lines{"4|.\\a.txt : .\\b.txt|couldn't read either file"})
      << "two files that cannot be read are not two empty, identical files";
  EXPECT_EQ(reported(), "Could not read the file " + left + "\nCould not read the file " + right);
  EXPECT_EQ(compare_list_complete(list), 0);
  EXPECT_EQ(composite_sections(first_item()), nullptr);
  EXPECT_EQ(item_unreadable_side(first_item()), 1) << "the left one is named first";
}

TEST_F(UnreadableFiles, TwoFilesOneReadableAreNotGivenDifferentSizes) {
  std::string left = dir.write("a.txt", "12345\n");
  std::string right = dir.write("b.txt", "12345\n");
  SKIP_UNLESS(compare_refused(left, right, {left}));
  EXPECT_EQ(items(), Lines{"4|.\\a.txt : .\\b.txt|couldn't read the left file"})
      << "the sizes match: the one that could not be read is not 0 bytes long";
  EXPECT_EQ(reported(), "Could not read the file " + left);
}

TEST_F(UnreadableFiles, TwoFilesTheRightOneUnreadable) {
  std::string left = dir.write("a.txt", "12345\n");
  std::string right = dir.write("b.txt", "1234567890\n");
  SKIP_UNLESS(compare_refused(left, right, {right}));
  EXPECT_EQ(items(), Lines{"4|.\\a.txt : .\\b.txt|couldn't read the right file"});
  EXPECT_EQ(reported(), "Could not read the file " + right);
}

TEST_F(UnreadableFiles, InFoldersAnEqualSizedPairIsNotCalledSameSize) {
  dir.write("l\\sub\\held.txt", "twelve bytes");
  dir.write("r\\sub\\held.txt", "twelve bytes");
  dir.write("l\\ok.txt", "ok\n");
  dir.write("r\\ok.txt", "ok\n");
  SKIP_UNLESS(compare_folders_refused({dir.at("r\\sub\\held.txt")}));
  EXPECT_EQ(items(), (Lines{"1|.\\ok.txt|identical", "4|.\\sub\\held.txt|couldn't read the right file"}));
  EXPECT_EQ(reported(), "Could not read the file " + dir.at("r\\sub\\held.txt"));
  EXPECT_EQ(compare_list_complete(list), 0) << "a list with an uncompared pair is no whole list";
  EXPECT_EQ(compare_list_aborted(list), 0);
  std::string saved = dir.at("differing.txt");
  EXPECT_FALSE(save_list(list, saved.c_str(), save_differing)) << "a -s run ends with exit code 1";
  EXPECT_EQ(read_file(saved), "-- " + dir.at("l") + " : " + dir.at("r") + " -- includes differing files\n" +
                                  ".\\sub\\held.txt\n")
      << "listed with the differing files, but without the count line of a whole list";
}

TEST_F(UnreadableFiles, WhatTheListingEstablishesStands) {
  // Sizes come from the directory listing, which a file held open or
  // without rights does not hide: different sizes differ, and two empty
  // files hold the same (no) bytes.
  dir.write("l\\longer.txt", "a longer text\n");
  dir.write("r\\longer.txt", "short\n");
  dir.write("l\\empty.txt", "");
  dir.write("r\\empty.txt", "");
  dir.write("l\\only.txt", "left only\n");
  dir.make_folder("r");
  SKIP_UNLESS(compare_folders_refused(
      {dir.at("l\\longer.txt"), dir.at("l\\empty.txt"), dir.at("r\\empty.txt"), dir.at("l\\only.txt")}));
  EXPECT_EQ(items(), (Lines{"1|.\\empty.txt|identical", "4|.\\longer.txt|different sizes",
                            "5|.\\only.txt|only in " + dir.at("l")}));
  EXPECT_TRUE(ui.recorded().empty()) << ui.texts().front();
}

TEST_F(UnreadableFiles, ExpandingSaysWhichFileCouldNotBeReadAndTriesAgainLater) {
  dir.write("l\\x.txt", lines_of({"one", "two"}));
  dir.write("r\\x.txt", lines_of({"one", "2"}));
  dir.write("l\\gone.txt", "left only\n");
  dir.make_folder("r");
  list = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), nullptr, 1);
  ASSERT_EQ(items(), (Lines{"5|.\\gone.txt|only in " + dir.at("l"), "4|.\\x.txt|different sizes"}));
  auto* left_only = first_item();
  auto* pair = static_cast<CompareItem*>(list_next(left_only));
  {
    RefusedFiles files({dir.at("r\\x.txt"), dir.at("l\\gone.txt")});
    SKIP_UNLESS(files.refused());
    EXPECT_EQ(composite_sections(pair), nullptr);
    EXPECT_EQ(item_unreadable_side(pair), 2);
    EXPECT_FALSE(source_unreadable(item_left_file(pair))) << "the left file was read";
    EXPECT_EQ(composite_sections(left_only), nullptr);
    EXPECT_EQ(item_unreadable_side(left_only), 1);
  }
  EXPECT_EQ(rows_of(composite_sections(pair)),
            (std::vector<Row>{{Equal, 1, 1, 1, 1}, {LeftLinesOnly, 2, 0, 2, 2}, {RightLinesOnly, 0, 2, 2, 2}}))
      << "once the file can be read again, the pair expands";
  EXPECT_EQ(item_unreadable_side(pair), 0);
  EXPECT_NE(composite_sections(left_only), nullptr);
  EXPECT_EQ(item_unreadable_side(left_only), 0);
}

TEST_F(UnreadableFiles, APairWhoseReadingWasAbortedIsNotCompared) {
  FilePair pair("1234", "1234");
  program.abort_requested = 1;
  CompareItem* item = pair.item();
  program.abort_requested = 0;
  EXPECT_EQ(item_state(item), SizesDiffer);
  EXPECT_STREQ(item_tag(item), "not compared") << "neither identical nor known to differ";
  EXPECT_EQ(tree_problems(entry_tree(source_entry(item_left_file(item)))), nullptr) << "nothing was unreadable";
}

TEST_F(UnreadableFiles, ASizeThatCouldNotBeReadIsNotZero) {
  std::string file = dir.write("f", "five!");
  bool opened = false;
  EXPECT_EQ(path_file_size(file.c_str(), &opened), 5u);
  EXPECT_TRUE(opened);
  EXPECT_EQ(path_file_size(dir.at("missing").c_str(), &opened), 0u);
  EXPECT_FALSE(opened);
  RefusedFiles refused({file});
  SKIP_UNLESS(refused.refused());
  DirTree* tree = tree_new(file.c_str(), 1);
  ASSERT_NE(tree, nullptr) << "the file is there, only not readable";
  EXPECT_FALSE(entry_size_known(tree_first(tree)));
  tree_release(tree);
}
}  // namespace
