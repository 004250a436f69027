#include "scrivane/text_lines.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

namespace scrivane {
namespace {

using test_support::native_path;
using test_support::TempFolder;
using test_support::write_file;

std::vector<std::string> lines_of(const std::string& text) {
  TextLines lines;
  lines.text = text;
  index_lines(lines);
  std::vector<std::string> out;
  for (size_t i = 0; i < lines.line_count(); ++i) {
    LineSpan span = lines.line(i);
    out.emplace_back(span.text, span.length);
  }
  return out;
}

using Lines = std::vector<std::string>;

TEST(IndexLines, AcceptsEveryLineEndAndDropsIt) {
  EXPECT_EQ(lines_of("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(lines_of("a\n\nb\r\n\r\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(lines_of("a\n\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(lines_of("a\r\rb"), (Lines{"a", "", "b"}));
}

TEST(IndexLines, FinalLineEndStartsNoLineAndEmptyTextHasNone) {
  EXPECT_EQ(lines_of("one\ntwo\n"), (Lines{"one", "two"}));
  EXPECT_EQ(lines_of("one\ntwo"), (Lines{"one", "two"}));
  EXPECT_EQ(lines_of("\n"), (Lines{""}));
  EXPECT_TRUE(lines_of("").empty());
}

TEST(IndexLines, KeepsZeroBytesInsideLines) {
  EXPECT_EQ(lines_of(std::string("a\0b\nc", 5)), (Lines{std::string("a\0b", 3), "c"}));
}

TEST(IndexLines, WidestColumnsExpandsTabsAndIsCutToShownLength) {
  TextLines lines;
  lines.text = "ab\tc\nxy\n1234567890";
  index_lines(lines);
  EXPECT_EQ(lines.widest_columns, 10u);
  lines.text = "ab\tc\nxy";
  index_lines(lines);
  EXPECT_EQ(lines.widest_columns, 9u);
  lines.text = std::string(max_shown_bytes * 3, 'x') + "\nshort";
  index_lines(lines);
  EXPECT_EQ(lines.widest_columns, max_shown_bytes);
  EXPECT_EQ(lines.line(0).length, max_shown_bytes * 3);
  EXPECT_EQ(lines.shown_line(0).length, max_shown_bytes);
  EXPECT_EQ(lines.shown_line(1).length, 5u);
}

TEST(LoadTextLines, ReadsFileBytesUnchanged) {
  TempFolder folder;
  std::string path = native_path(folder.at("a.txt"));
  std::string bytes = "first\r\nsecond\n\tthird";
  write_file(path, bytes);
  TextLines lines;
  std::string error;
  ASSERT_TRUE(load_text_lines(path, lines, error)) << error;
  EXPECT_EQ(lines.text, bytes);
  ASSERT_EQ(lines.line_count(), 3u);
  EXPECT_EQ(std::string(lines.line(2).text, lines.line(2).length), "\tthird");
}

TEST(LoadTextLines, ManyLinesAndOneHugeLine) {
  TempFolder folder;
  std::string path = native_path(folder.at("big.txt"));
  std::string bytes;
  for (int i = 1; i <= 100000; ++i) bytes += "line " + std::to_string(i) + "\n";
  bytes += std::string(3u << 20, 'x') + "\nlast";
  write_file(path, bytes);
  TextLines lines;
  std::string error;
  ASSERT_TRUE(load_text_lines(path, lines, error)) << error;
  ASSERT_EQ(lines.line_count(), 100002u);
  EXPECT_EQ(std::string(lines.line(99999).text, lines.line(99999).length), "line 100000");
  EXPECT_EQ(lines.line(100000).length, 3u << 20);
  EXPECT_EQ(std::string(lines.line(100001).text, 4), "last");
}

TEST(LoadTextLines, MissingFileAndFolderGiveAMessageNamingThePath) {
  TempFolder folder;
  TextLines lines;
  lines.text = "stale";
  std::string error;
  std::string missing = native_path(folder.at("missing.txt"));
  EXPECT_FALSE(load_text_lines(missing, lines, error));
  EXPECT_NE(error.find("Cannot open " + missing), std::string::npos) << error;
  EXPECT_TRUE(lines.text.empty());
  EXPECT_EQ(lines.line_count(), 0u);
  error.clear();
  EXPECT_FALSE(load_text_lines(native_path(folder.path()), lines, error));
  EXPECT_NE(error.find(native_path(folder.path())), std::string::npos) << error;
}

}  // namespace
}  // namespace scrivane
