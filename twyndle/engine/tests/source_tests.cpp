#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/source_file.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
// A single-file tree over a file holding `bytes`, and its SourceFile.
class FileSource {
 public:
  FileSource(const TempFolder& dir, const std::string& bytes, const std::string& name = "file.txt")
      : path(dir.write(name, bytes)), tree(tree_new(path.c_str(), 1)), file(source_new(tree_first(tree), false)) {}
  ~FileSource() {
    source_release(file);
    tree_release(tree);
  }
  std::string path;
  DirTree* tree;
  SourceFile* file;
};

std::vector<std::string> texts(BlockList* lines) {
  std::vector<std::string> result;
  for (auto* line = static_cast<Line*>(list_first(lines)); line; line = static_cast<Line*>(list_next(line))) {
    result.emplace_back(line_text(line), line->length);
  }
  return result;
}

std::vector<int> numbers(BlockList* lines) {
  std::vector<int> result;
  for (auto* line = static_cast<Line*>(list_first(lines)); line; line = static_cast<Line*>(list_next(line))) {
    result.push_back(line_number(line));
  }
  return result;
}

std::string joined(BlockList* lines) {
  std::string all;
  for (const std::string& text : texts(lines)) all += text;
  return all;
}

TEST(SourceRead, CutsAtLineFeedsKeepingTheLineEnds) {
  TempFolder dir;
  FileSource s(dir, "one\r\ntwo\n\nthree\rstill three\nlast");
  BlockList* lines = source_lines(s.file);
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(texts(lines), (std::vector<std::string>{"one\r\n", "two\n", "\n", "three\rstill three\n", "last"}));
  EXPECT_EQ(numbers(lines), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(source_lines(s.file), lines) << "read once, kept";
  EXPECT_EQ(source_entry(s.file), tree_first(s.tree));
}

TEST(SourceRead, AnEmptyFileGivesAnEmptyList) {
  TempFolder dir;
  FileSource s(dir, "");
  BlockList* lines = source_lines(s.file);
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(list_first(lines), nullptr);
}

TEST(SourceRead, LongLinesStayWholeAndLaterNumbersStayRight) {
  TempFolder dir;
  std::string no_lf(1200, 'x');
  FileSource single(dir, no_lf, "single.txt");
  EXPECT_EQ(texts(source_lines(single.file)), std::vector<std::string>{no_lf});
  std::string huge(300000, 'h');
  FileSource mixed(dir, "a\n" + huge + "\nb\n" + std::string(513, 'y') + "\nc", "mixed.txt");
  BlockList* lines = source_lines(mixed.file);
  EXPECT_EQ(numbers(lines), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(texts(lines)[1], huge + "\n");
  EXPECT_EQ(texts(lines)[4], "c");
}

TEST(SourceRead, NulBytesAndBinaryDataComeBackByteForByte) {
  TempFolder dir;
  std::string binary;
  std::mt19937 random(42);
  for (int i = 0; i < 200000; ++i) binary.push_back(static_cast<char>(random() & 0xFF));
  FileSource s(dir, binary, "data.bin");
  BlockList* lines = source_lines(s.file);
  ASSERT_NE(lines, nullptr);
  EXPECT_EQ(joined(lines), binary);
  std::vector<std::string> cut = texts(lines);
  for (size_t i = 0; i < cut.size(); ++i) {
    size_t lf = cut[i].find('\n');
    ASSERT_FALSE(cut[i].empty());
    ASSERT_TRUE(lf == cut[i].size() - 1 || (lf == std::string::npos && i == cut.size() - 1)) << i;
  }
}

TEST(SourceRead, RunningOutOfMemoryGivesNoLinesRatherThanSomeOfThem) {
  RecordingUi ui;
  TempFolder dir;
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "a line of text number " + std::to_string(i) + "\n";
  FileSource s(dir, text);
  {
    FailingMemory memory(1000000, 1);
    EXPECT_EQ(source_lines(s.file), nullptr);
    EXPECT_GT(memory.refused(), 0);
  }
  EXPECT_EQ(s.file->lines, nullptr);
  EXPECT_EQ(joined(source_lines(s.file)), text) << "read in full once memory is back";
}

TEST(SourceRead, AFileThatVanishedHasNoLinesAndIsTriedAgain) {
  TempFolder dir;
  FileSource s(dir, "here\n");
  std::string kept = read_file(s.path);
  dir.remove("file.txt");
  EXPECT_EQ(source_lines(s.file), nullptr);
  EXPECT_EQ(s.file->lines, nullptr);
  dir.write("file.txt", kept);
  EXPECT_EQ(texts(source_lines(s.file)), std::vector<std::string>{"here\n"});
}

TEST(SourceRead, DiscardReadsTheChangedFileAgain) {
  TempFolder dir;
  FileSource s(dir, "old\n");
  EXPECT_EQ(texts(source_lines(s.file)), std::vector<std::string>{"old\n"});
  dir.write("file.txt", "new\nand more\n");
  EXPECT_EQ(texts(source_lines(s.file)), std::vector<std::string>{"old\n"}) << "kept until discarded";
  source_discard_lines(s.file);
  EXPECT_EQ(s.file->lines, nullptr);
  EXPECT_EQ(texts(source_lines(s.file)), (std::vector<std::string>{"new\n", "and more\n"}));
}

TEST(SourceRead, ResetClearsLinksAndHashesButKeepsTexts) {
  TempFolder dir;
  FileSource left(dir, "a\nb\n", "l.txt");
  FileSource right(dir, "a\nb\n", "r.txt");
  auto* a = static_cast<Line*>(list_first(source_lines(left.file)));
  auto* b = static_cast<Line*>(list_first(source_lines(right.file)));
  ASSERT_TRUE(line_link_pair(a, b));
  source_reset_lines(left.file);
  source_reset_lines(right.file);
  EXPECT_EQ(line_link(a), nullptr);
  EXPECT_EQ(line_link(b), nullptr);
  EXPECT_FALSE(a->flags & line_hash_valid);
  EXPECT_STREQ(line_text(a), "a\n");
}

TEST(SourceRead, ShowsTheWaitCursorWhileReading) {
  RecordingUi ui;
  TempFolder dir;
  FileSource s(dir, "x\n");
  source_lines(s.file);
  EXPECT_EQ(ui.wait_shown(), 1);
  EXPECT_EQ(ui.wait_depth(), 0) << "restored afterwards";
}

TEST(SourceRead, ReadNowAndReleaseGiveAllMemoryBack) {
  TempFolder dir;
  std::string path = dir.write("now.txt", "1\n2\n3\n");
  DirTree* tree = tree_new(path.c_str(), 1);
  uint32_t free_before = heap_free_units(engine_heap);
  SourceFile* file = source_new(tree_first(tree), true);
  ASSERT_NE(file->lines, nullptr);
  EXPECT_EQ(numbers(file->lines).size(), 3u);
  source_release(file);
  EXPECT_EQ(heap_free_units(engine_heap), free_before);
  tree_release(tree);
  EXPECT_EQ(source_new(nullptr, true), nullptr);
  EXPECT_EQ(source_lines(nullptr), nullptr);
  source_release(nullptr);
}
}  // namespace
