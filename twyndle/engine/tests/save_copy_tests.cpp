#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/copy_files.h"
#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/save_list.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
// Left root: same (the same bytes), diff (sizes differ), sub\left_only.
// Right root: same, diff, right_only.
class FourStates : public testing::Test {
 protected:
  void SetUp() override {
    dir.write("l\\same", "same");
    dir.write("r\\same", "same");
    dir.write("l\\diff", "left diff");
    dir.write("r\\diff", "right diff");
    dir.write("l\\sub\\left_only", "lo");
    dir.write("r\\right_only", "ro");
    list = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), nullptr, 1);
    ASSERT_NE(list, nullptr);
  }
  void TearDown() override {
    compare_list_release(list);
    program.abort_requested = 0;
  }
  std::string saved(uint32_t flags) {
    std::string file = dir.at("list.txt");
    EXPECT_TRUE(save_list(list, file.c_str(), flags));
    return read_file(file);
  }
  std::string header(const std::string& choices) {
    return "-- " + dir.at("l") + " : " + dir.at("r") + " -- includes " + choices + " files\n";
  }
  TempFolder dir;
  CompareList* list = nullptr;
};

TEST_F(FourStates, SavedListsNameTheChosenStatesInListOrder) {
  EXPECT_EQ(saved(6), header("left-only,differing") + ".\\diff\n.\\sub\\left_only\n-- 2 files listed\n");
  EXPECT_EQ(saved(0xF), header("identical,left-only,right-only,differing") +
                            ".\\diff\n.\\right_only\n.\\same\n.\\sub\\left_only\n-- 4 files listed\n");
  EXPECT_EQ(saved(0x19), header("identical,right-only,") + ".\\right_only\n.\\same\n-- 2 files listed\n")
      << "only the low four bits count";
}

TEST_F(FourStates, NoChosenStatesGiveTwoBlanksAndNoItems) {
  EXPECT_EQ(saved(0), header("") + "-- 0 files listed\n");
}

TEST_F(FourStates, SavingReplacesAnOlderFileUnderTheWaitCursor) {
  RecordingUi ui;
  dir.write("list.txt", std::string(5000, 'z'));
  EXPECT_EQ(saved(1), header("identical,") + ".\\same\n-- 1 files listed\n");
  EXPECT_EQ(ui.wait_shown(), 1);
  EXPECT_EQ(ui.wait_depth(), 0);
}

TEST_F(FourStates, AFileThatCannotBeMadeIsReported) {
  RecordingUi ui;
  std::string file = dir.at("no\\such\\dir\\list.txt");
  EXPECT_FALSE(save_list(list, file.c_str(), 0xF));
  ASSERT_EQ(ui.recorded().size(), 1u);
  EXPECT_EQ(ui.recorded()[0].text, "Cannot open " + file);
  EXPECT_EQ(ui.recorded()[0].title, "Juxta");
  EXPECT_EQ(ui.recorded()[0].icon, MessageIcon::error);
  EXPECT_FALSE(save_list(nullptr, file.c_str(), 0xF));
}

TEST_F(FourStates, AnAbortedListIsNeverSavedAsAWholeOne) {
  RecordingReceiver view(2);
  CompareList* partial = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), &view, 1);
  std::string file = dir.at("partial.txt");
  EXPECT_FALSE(save_list(partial, file.c_str(), 0xF));
  EXPECT_EQ(read_file(file), header("identical,left-only,right-only,differing") + ".\\diff\n.\\right_only\n")
      << "the items found so far, without the count line";
  compare_list_release(partial);
}

TEST(SaveList, AListThatWasNeverPairedIsNotSavedAsComplete) {
  TempFolder dir;
  CompareList* empty = compare_list_new();
  std::string file = dir.at("empty.txt");
  EXPECT_FALSE(save_list(empty, file.c_str(), 0xF));
  EXPECT_EQ(read_file(file), "--  :  -- includes identical,left-only,right-only,differing files\n");
  compare_list_release(empty);
}

// Answers the copy dialog from a queue of settings (Cancel when it runs
// out) and records the status bar.
class ScriptedHost : public CopyHost {
 public:
  bool ask_copy_settings(const CompareList*, CopySettings* settings) override {
    offered.push_back(*settings);
    if (answers.empty()) return false;
    *settings = answers.front();
    answers.erase(answers.begin());
    return true;
  }
  void show_status(const char* text) override {
    statuses.push_back(text ? text : "(cleared)");
    if (abort_at_status && static_cast<int>(statuses.size()) == abort_at_status) program.abort_requested = 1;
  }
  void answer(uint32_t options, const std::string& destination) {
    CopySettings settings = {options, ""};
    destination.copy(settings.destination, sizeof settings.destination - 1);
    answers.push_back(settings);
  }
  std::vector<CopySettings> answers, offered;
  std::vector<std::string> statuses;
  int abort_at_status = 0;
};

class Copying : public FourStates {
 protected:
  void SetUp() override {
    FourStates::SetUp();
    copy_settings = {copy_from_left | copy_only_source | copy_differing, ""};
    dir.make_folder("out");
    out = dir.at("out");
  }
  using Files = std::map<std::string, std::string>;

  // Every file the copy made in out, by its name inside out ("sub\\x"), with
  // its bytes.
  Files copied() const {
    Files files;
    std::filesystem::path root(native_path(out));
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      std::string name = entry.path().lexically_relative(root).generic_string();
      std::replace(name.begin(), name.end(), '/', '\\');
      files[name] = read_file(out + "\\" + name);
    }
    return files;
  }
  std::string out;
  RecordingUi ui;
  ScriptedHost host;
};

TEST_F(Copying, CopiesTheChosenStatesFromTheChosenSide) {
  host.answer(copy_from_left | copy_differing | copy_only_source, out);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(copied(), (Files{{"diff", "left diff"}, {"sub\\left_only", "lo"}}))
      << "neither the identical item nor a right-only one, which is never copied from the left";
  EXPECT_EQ(files_copied, 2);
  EXPECT_EQ(host.statuses, (std::vector<std::string>{"   1 files requested. Copying...",
                                                     "   2 files requested. Copying...", "(cleared)"}));
  ASSERT_EQ(ui.recorded().size(), 1u);
  EXPECT_EQ(ui.recorded()[0].text, "Copy Complete 2 files copied");
  EXPECT_EQ(ui.recorded()[0].title, "Juxta");
  EXPECT_EQ(ui.recorded()[0].icon, MessageIcon::information);
}

TEST_F(Copying, FromTheRightEitherOnlyBitChoosesRightOnlyItems) {
  host.answer(copy_from_right | copy_identical | copy_only_source_2, out);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(copied(), (Files{{"right_only", "ro"}, {"same", "same"}}));
  EXPECT_EQ(files_copied, 2);
}

TEST_F(Copying, CancelCopiesNothingAndTheSettingsAreKept) {
  EXPECT_FALSE(copy_files(list, &host));
  EXPECT_TRUE(ui.recorded().empty());
  ASSERT_EQ(host.offered.size(), 1u);
  EXPECT_EQ(host.offered[0].options, 0x106u) << "the initial choices";
  host.answer(copy_from_right | copy_identical, out);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_FALSE(copy_files(list, &host));
  EXPECT_EQ(host.offered.back().options, copy_from_right | copy_identical);
  EXPECT_EQ(std::string(host.offered.back().destination), out);
  EXPECT_FALSE(copy_files(list, nullptr));
}

TEST_F(Copying, AnEmptyDestinationIsAskedForAgain) {
  host.answer(0x106, "");
  host.answer(0x106, out);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(host.offered.size(), 2u);
  ASSERT_GE(ui.recorded().size(), 1u);
  EXPECT_EQ(ui.recorded()[0].text, "Please enter the directory name");
  EXPECT_EQ(ui.recorded()[0].title, "Juxta");
  EXPECT_EQ(ui.recorded()[0].icon, MessageIcon::error);
}

TEST_F(Copying, ADestinationThatIsNoDirectoryFailsEveryItem) {
  std::string file = dir.write("plain", "p");
  host.answer(0x106, file);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"failed to copy .\\diff", "failed to copy .\\sub\\left_only",
                                                  "Copy Complete 0 files copied"}));
  EXPECT_EQ(ui.recorded()[0].title, "Error");
  EXPECT_EQ(ui.recorded()[0].buttons, MessageButtons::ok_cancel);
  EXPECT_EQ(ui.recorded()[0].icon, MessageIcon::error);
  EXPECT_EQ(host.statuses.size(), 3u) << "a status after each accepted failure, then cleared";
}

TEST_F(Copying, CancelAfterAFailureStopsTheLoop) {
  host.answer(0x106, dir.at("missing"));
  ui.answer_next(MessageAnswer::cancel);
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"failed to copy .\\diff", "Copy Complete 0 files copied"}));
  EXPECT_EQ(host.statuses, (std::vector<std::string>{"(cleared)"}));
}

TEST_F(Copying, CopyingOntoTheSourcesFailsAndLeavesThemWhole) {
  host.answer(copy_from_left | copy_differing | copy_only_source, dir.at("l"));
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(read_file(dir.at("l\\diff")), "left diff");
  EXPECT_EQ(read_file(dir.at("l\\sub\\left_only")), "lo");
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"failed to copy .\\diff", "failed to copy .\\sub\\left_only",
                                                  "Copy Complete 0 files copied"}));
}

TEST_F(Copying, AnAbortDuringTheCopyIsReportedWithTheCount) {
  host.answer(0x106, out);
  host.abort_at_status = 1;
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Copy Aborted", "Copy Complete 1 files copied"}));
  for (const RecordingUi::Recorded& box : ui.recorded()) {
    EXPECT_EQ(box.title, "Juxta");
    EXPECT_EQ(box.icon, MessageIcon::information);
    EXPECT_TRUE(box.owned_by_main_window) << box.text;
  }
  EXPECT_EQ(copied(), (Files{{"diff", "left diff"}}));
}

TEST_F(Copying, AnAbortBeforeTheFirstItemCopiesNothing) {
  host.answer(0x106, out);
  program.abort_requested = 1;
  EXPECT_TRUE(copy_files(list, &host));
  EXPECT_EQ(ui.texts(), (std::vector<std::string>{"Copy Complete 0 files copied"}));
}

// A pair of one size whose bytes differ is no duplicate: it is listed and
// copied with the differing files, never with the identical ones.
TEST(SameSizeOtherBytes, AreListedAndCopiedAsDiffering) {
  TempFolder dir;
  dir.make_folder("out");
  dir.write("l\\copying", "Copyright 2019");
  dir.write("r\\copying", "Copyright 2022");
  dir.write("l\\twin", "twin");
  dir.write("r\\twin", "twin");
  CompareList* list = compare_paths(dir.at("l").c_str(), dir.at("r").c_str(), nullptr, 1);
  EXPECT_EQ(item_lines(compare_list_items(list), true), (std::vector<std::string>{"4|.\\copying|same size",
                                                                                 "1|.\\twin|identical"}));
  std::string file = dir.at("list.txt");
  ASSERT_TRUE(save_list(list, file.c_str(), 1));
  EXPECT_EQ(read_file(file), "-- " + dir.at("l") + " : " + dir.at("r") + " -- includes identical, files\n" +
                                 ".\\twin\n-- 1 files listed\n");
  ASSERT_TRUE(save_list(list, file.c_str(), 2));
  EXPECT_NE(read_file(file).find("\n.\\copying\n-- 1 files listed\n"), std::string::npos);
  RecordingUi ui;
  ScriptedHost host;
  host.answer(copy_from_right | copy_identical, dir.at("out"));
  copy_files(list, &host);
  EXPECT_FALSE(path_is_file(dir.at("out\\copying").c_str())) << "not copied as an identical file";
  EXPECT_EQ(read_file(dir.at("out\\twin")), "twin");
  host.answer(copy_from_right | copy_differing, dir.at("out"));
  copy_files(list, &host);
  EXPECT_EQ(read_file(dir.at("out\\copying")), "Copyright 2022");
  compare_list_release(list);
}

// The entry of the list's item with the given name, on the given side.
DirEntry* entry_named(CompareList* list, const std::string& name, bool left) {
  for (void* data = list_first(compare_list_items(list)); data; data = list_next(data)) {
    auto* item = static_cast<CompareItem*>(data);
    if (name == item_name(item)) return source_entry(left ? item_left_file(item) : item_right_file(item));
  }
  return nullptr;
}

TEST_F(Copying, AnEntryKeepsItsDirectoriesTimesAndAttributes) {
  FsTimes old = {0, 1000000000ull * 10000, 1000000000ull * 20000};
  std::string source = dir.at("l\\sub\\left_only");
  ASSERT_TRUE(fs_set_times(source.c_str(), &old));
  ASSERT_TRUE(fs_set_attributes(source.c_str(), fs_attr_readonly));
  std::string with_backslash = out + "\\";
  EXPECT_TRUE(copy_entry(entry_named(list, ".\\sub\\left_only", true), with_backslash.c_str()));
  std::string target = dir.at("out\\sub\\left_only");
  EXPECT_TRUE(path_is_directory(dir.at("out\\sub").c_str()));
  EXPECT_EQ(read_file(target), "lo");
  FsTimes source_times, target_times;
  ASSERT_TRUE(fs_get_times(source.c_str(), &source_times));
  ASSERT_TRUE(fs_get_times(target.c_str(), &target_times));
  EXPECT_EQ(target_times.written, source_times.written);
  EXPECT_NE(fs_attributes(target.c_str()) & fs_attr_readonly, 0u);
  fs_set_attributes(target.c_str(), 0);
  fs_set_attributes(source.c_str(), 0);
}

TEST_F(Copying, AFailedCopyLeavesAnOlderTargetAsItWas) {
  DirEntry* entry = entry_named(list, ".\\diff", true);
  dir.write("out\\diff", "older");
  FsTimes old = {0, 1000000000ull * 5000, 1000000000ull * 5000};
  ASSERT_TRUE(fs_set_times(dir.at("out\\diff").c_str(), &old));
  FsTimes before;
  ASSERT_TRUE(fs_get_times(dir.at("out\\diff").c_str(), &before));
  // The source turned into a directory after the scan: its times can be
  // read, but it cannot be copied.
  dir.remove("l\\diff");
  dir.make_folder("l\\diff");
  files_copied = 0;
  EXPECT_FALSE(copy_entry(entry, out.c_str()));
  FsTimes after;
  ASSERT_TRUE(fs_get_times(dir.at("out\\diff").c_str(), &after));
  EXPECT_EQ(after.written, before.written) << "not stamped as if it were up to date";
  EXPECT_EQ(read_file(dir.at("out\\diff")), "older");
  EXPECT_EQ(files_copied, 0);
}

TEST_F(Copying, ADirectoryThatCannotBeMadeFailsThatFileOnly) {
  dir.write("out\\sub", "a file where a directory should go");
  EXPECT_FALSE(copy_entry(entry_named(list, ".\\sub\\left_only", true), out.c_str()));
  EXPECT_TRUE(copy_entry(entry_named(list, ".\\diff", true), out.c_str()));
  EXPECT_FALSE(copy_entry(nullptr, out.c_str()));
  EXPECT_FALSE(copy_entry(entry_named(list, ".\\diff", true), dir.at("missing").c_str()));
}
}  // namespace
