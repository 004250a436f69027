#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
using Lines = std::vector<std::string>;

// A left and a right directory under one temporary directory.
class TwoRoots : public testing::Test {
 protected:
  void SetUp() override {
    dir.make_folder("l");
    dir.make_folder("r");
  }
  void TearDown() override {
    compare_list_release(list);
    program.abort_requested = 0;
  }
  void compare(RecordingReceiver* view = nullptr, int32_t recursive = 1) {
    list = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), view, recursive);
  }
  TempFolder dir;
  CompareList* list = nullptr;
};

TEST_F(TwoRoots, PairsByRelativeNameInWalkOrder) {
  dir.write("l\\a.c", "12");
  dir.write("l\\sub\\b.c", "b");
  dir.write("r\\A.C", "123");
  dir.write("r\\sub\\c.c", "c");
  RecordingReceiver view;
  compare(&view);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(item_lines(compare_list_items(list), true),
            (Lines{"4|.\\a.c|different sizes", "5|.\\sub\\b.c|only in " + dir.at("l"),
                   "6|.\\sub\\c.c|only in " + dir.at("r")}));
  EXPECT_EQ(view.attached, list);
  EXPECT_EQ(view.items_at_attach, 0) << "the outline exists before any item";
  EXPECT_EQ(view.added_calls, 3) << "told after each item";
  EXPECT_EQ(compare_list_complete(list), 1);
  EXPECT_EQ(std::string(compare_list_left_root(list)), dir.at("l"));
  EXPECT_EQ(std::string(compare_list_right_root(list)), dir.at("r"));
}

TEST_F(TwoRoots, InterleavesFilesOnlyOnOneSideAndRemainders) {
  for (const char* name : {"b", "d", "x", "y"}) dir.write(std::string("l\\") + name, "1");
  for (const char* name : {"a", "b", "c", "d"}) dir.write(std::string("r\\") + name, "1");
  compare();
  EXPECT_EQ(item_lines(compare_list_items(list)), (Lines{".\\a", ".\\b", ".\\c", ".\\d", ".\\x", ".\\y"}));
  EXPECT_EQ(item_state(static_cast<CompareItem*>(list_last(compare_list_items(list)))), LeftFileOnly);
}

TEST_F(TwoRoots, WithoutRecursionOnlyTheFirstDirectoryWithFilesIsPaired) {
  dir.write("l\\s\\one", "1");
  dir.write("l\\s\\deeper\\two", "2");
  dir.write("r\\s\\one", "1");
  compare(nullptr, 0);
  EXPECT_EQ(item_lines(compare_list_items(list)), (Lines{".\\s\\one"}));
  compare_list_release(list);
  compare(nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list)), (Lines{".\\s\\one", ".\\s\\deeper\\two"}));
}

TEST_F(TwoRoots, RootsWithAndWithoutTrailingBackslashPairAlike) {
  dir.write("l\\sub\\x.c", "x");
  dir.write("r\\y.c", "y");
  list = compare_paths((dir.at("l") + "\\").c_str(), dir.at("r").c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list)), (Lines{".\\y.c", ".\\sub\\x.c"}));
  auto* item = static_cast<CompareItem*>(list_last(compare_list_items(list)));
  char* path = item_file_name(item, 1);
  EXPECT_EQ(std::string(path), dir.at("l\\sub\\x.c"));
  text_free(path);
}

TEST_F(TwoRoots, AFileAgainstADirectoryFindsItsNameIgnoringCase) {
  dir.write("r\\sub\\main.c", "deeper copy is not the counterpart");
  dir.write("r\\MAIN.C", "m");
  std::string file = dir.write("main.c", "m");
  RecordingReceiver view(1);
  list = compare_paths(file.c_str(), dir.at("r").c_str(), &view, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"1|.\\main.c|identical"}));
  EXPECT_EQ(compare_list_complete(list), 1) << "the view's answer is not looked at here";
  compare_list_release(list);
  list = compare_paths(dir.at("r").c_str(), file.c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"1|.\\main.c|identical"}));
}

TEST_F(TwoRoots, AFilePathWrittenWithSlashesFindsItsCounterpart) {
  dir.write("x\\f", "same");
  dir.write("r\\f", "same");
  std::string slashed = dir.path() + "/x/f";
  list = compare_paths(slashed.c_str(), dir.at("r").c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"1|.\\f|identical"}));
  compare_list_release(list);
  list = compare_paths(dir.at("r").c_str(), slashed.c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"1|.\\f|identical"}));
  compare_list_release(list);
  list = compare_paths((dir.path() + "/r/").c_str(), dir.at("x").c_str(), nullptr, 1);
  auto* item = static_cast<CompareItem*>(list_first(compare_list_items(list)));
  char* path = item_file_name(item, 1);
  EXPECT_EQ(std::string(path), dir.path() + "/r/f") << "a root ending in a slash gets no second separator";
  text_free(path);
}

TEST_F(TwoRoots, AFileWithoutCounterpartIsOnlyOnItsSide) {
  dir.write("r\\other.c", "o");
  std::string file = dir.write("main.c", "m");
  list = compare_paths(file.c_str(), dir.at("r").c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"5|.\\main.c|only in " + file}));
  compare_list_release(list);
  list = compare_paths(dir.at("r").c_str(), file.c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"6|.\\main.c|only in " + file}));
}

TEST_F(TwoRoots, AMissingRootIsReportedAndGivesNoList) {
  RecordingUi ui;
  RecordingReceiver view;
  std::string missing = dir.at("nowhere");
  list = compare_paths(dir.at("l").c_str(), missing.c_str(), &view, 1);
  EXPECT_EQ(list, nullptr);
  ASSERT_EQ(ui.recorded().size(), 1u);
  EXPECT_EQ(ui.recorded()[0].text, "Couldn't find " + missing);
  EXPECT_EQ(ui.recorded()[0].title, "Error");
  EXPECT_EQ(ui.recorded()[0].icon, MessageIcon::error);
  EXPECT_EQ(view.attach_calls, 0);
  list = compare_paths(missing.c_str(), dir.at("l").c_str(), &view, 1);
  EXPECT_EQ(list, nullptr);
  EXPECT_EQ(ui.texts().back(), "Couldn't find " + missing);
  EXPECT_EQ(ui.recorded().size(), 2u) << "the right root is not looked for";
}

TEST_F(TwoRoots, TheViewsAbortAnswerStopsPairingAtOnce) {
  for (int i = 0; i < 10; ++i) dir.write("l\\f" + std::to_string(i), "1");
  for (int i = 0; i < 10; ++i) dir.write("r\\g" + std::to_string(i), "1");
  RecordingReceiver view(3);
  compare(&view);
  ASSERT_NE(list, nullptr) << "an aborted list keeps what was made";
  EXPECT_EQ(item_count(compare_list_items(list)), 3);
  EXPECT_EQ(view.added_calls, 3);
  EXPECT_EQ(compare_list_complete(list), 0);
  EXPECT_EQ(compare_list_aborted(list), 1) << "the window says the outline stops short";
  EXPECT_EQ(pair_trees(nullptr, &view, 1), 0);
}

// A view that sees the abort flag set behind its back, as when the user
// presses Abort between two of its answers.
class LateAbortReceiver : public RecordingReceiver {
 public:
  int32_t items_added() override {
    RecordingReceiver::items_added();
    if (added_calls == 2) program.abort_requested = 1;
    return 0;
  }
};

TEST_F(TwoRoots, AnAbortThatCutsAWalkShortMakesNoFalseOneSidedItems) {
  for (int i = 0; i < 6; ++i) {
    dir.write("l\\f" + std::to_string(i), "1");
    dir.write("r\\f" + std::to_string(i), "1");
  }
  LateAbortReceiver view;
  compare(&view);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (Lines{"1|.\\f0|identical", "1|.\\f1|identical"}));
  EXPECT_EQ(compare_list_complete(list), 0);
}

TEST_F(TwoRoots, AnAbortDuringTheSearchForAFilesCounterpartMakesNoItem) {
  dir.write("r\\a.c", "a");
  dir.write("r\\main.c", "m");
  std::string file = dir.write("main.c", "m");
  program.abort_requested = 1;
  list = compare_paths(file.c_str(), dir.at("r").c_str(), nullptr, 1);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(item_count(compare_list_items(list)), 0) << "main.c is not only on the left";
  EXPECT_EQ(compare_list_complete(list), 0);
  compare_list_release(list);
  list = compare_paths(dir.at("r").c_str(), file.c_str(), nullptr, 1);
  EXPECT_EQ(item_count(compare_list_items(list)), 0) << "nor only on the right";
  compare_list_release(list);
  dir.write("l\\main.c", "m");
  list = compare_paths(file.c_str(), dir.at("l").c_str(), nullptr, 1);
  EXPECT_EQ(item_count(compare_list_items(list)), 0)
      << "nor paired with a counterpart found first: its bytes would go unread";
}

TEST_F(TwoRoots, AfterAnAbortNoItemIsMade) {
  dir.write("l\\a", "same");
  dir.write("r\\a", "same");
  program.abort_requested = 1;
  compare();
  EXPECT_EQ(item_count(compare_list_items(list)), 0);
  EXPECT_EQ(compare_list_complete(list), 0);
}

TEST(ElapsedTicks, MeasuresTheLastOperation) {
  uint32_t start = tick_count() - 1500;
  elapsed_ticks_since(start);
  EXPECT_GE(program.elapsed_ticks.load(), 1500u);
  EXPECT_LT(program.elapsed_ticks.load(), 60000u);
  TempFolder dir;
  std::string file = dir.write("x", "x");
  CompareList* list = compare_paths(file.c_str(), file.c_str(), nullptr, 1);
  EXPECT_LT(program.elapsed_ticks.load(), 1500u) << "pairing sets it anew";
  compare_list_release(list);
}

TEST(CompareListRecord, StartsEmptyAndAcceptsMissingRecords) {
  CompareList* list = compare_list_new();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(item_count(compare_list_items(list)), 0);
  EXPECT_EQ(compare_list_left_root(list), nullptr);
  EXPECT_EQ(pair_trees(list, nullptr, 1), 0) << "no roots to pair";
  compare_list_release(list);
  compare_list_release(nullptr);
  EXPECT_EQ(compare_list_items(nullptr), nullptr);
}
}  // namespace
