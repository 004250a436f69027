#include "twyndle/app/listing.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
// Rows of three texts (number, mark, line), as an expanded View gives them.
struct Rows {
  std::vector<std::vector<const char*>> rows;
  int32_t calls_after_end = 0;

  ListingCell cells() {
    return [this](int32_t row, int32_t column) -> const char* {
      if (row < 0 || row >= static_cast<int32_t>(rows.size())) {
        ++calls_after_end;
        return nullptr;
      }
      return rows[row][column];
    };
  }
};

const ListingHeader header{"Comparing: ", "To: ", "C:\\l\\a.c", "C:\\r\\a.c"};
const char head[] = "Comparing: C:\\l\\a.c\r\nTo: C:\\r\\a.c\r\n====\r\n";

TEST(ChangeRows, EveryMarkButFourBlanks) {
  EXPECT_FALSE(is_change_row("    "));
  EXPECT_TRUE(is_change_row(" <! "));
  EXPECT_TRUE(is_change_row(" !> "));
  EXPECT_TRUE(is_change_row(" <- "));
  EXPECT_TRUE(is_change_row(" -> "));
  EXPECT_TRUE(is_change_row(nullptr));
  EXPECT_TRUE(is_change_row("   "));
  EXPECT_FALSE(is_change_row("x     y"));
}

TEST(ListingText, FirstLineEqualGivesOneSeparator) {
  Rows rows;
  rows.rows = {{"1", "    ", "same\r\n"}, {"2", " <! ", "old\r\n"}, {nullptr, " !> ", "new\r\n"},
               {"3", "    ", "tail\r\n"}};
  std::string text = listing_text(header, 4, rows.cells());
  EXPECT_EQ(text, std::string(head) + "1\t    same\r\n====\r\n2\t <! old\r\n\t !> new\r\n====\r\n3\t    tail\r\n");
  EXPECT_EQ(rows.calls_after_end, 0);
}

TEST(ListingText, FirstLineChangedGivesTwoSeparators) {
  Rows rows;
  rows.rows = {{"1", " <! ", "gone\n"}, {"2", "    ", "kept\n"}};
  std::string text = listing_text(header, 2, rows.cells());
  EXPECT_EQ(text, std::string(head) + "====\r\n1\t <! gone\r\n====\r\n2\t    kept\r\n");
}

TEST(ListingText, MovedAndChangedRunsShareOneBlock) {
  Rows rows;
  rows.rows = {{"1", "    ", "a\n"}, {"2", " <- ", "b\n"}, {"(5)", " -> ", "c\n"}, {"3", " <! ", "d\n"},
               {"4", "    ", "e\n"}, {"5", "    ", "f\n"}};
  std::string text = listing_text(header, 6, rows.cells());
  EXPECT_EQ(text, std::string(head) +
                      "1\t    a\r\n====\r\n2\t <- b\r\n(5)\t -> c\r\n3\t <! d\r\n====\r\n4\t    e\r\n5\t    f\r\n");
}

TEST(ListingText, RowsWithoutLineEndsDoNotRunTogether) {
  Rows rows;
  rows.rows = {{"1", "    ", "last line without end"}, {"2", " !> ", nullptr}};
  std::string text = listing_text(header, 2, rows.cells());
  EXPECT_EQ(text, std::string(head) + "1\t    last line without end\r\n====\r\n2\t !> \r\n");
}

TEST(ListingText, EveryLineEndsInCrLfWhateverTheFilesUse) {
  Rows rows;
  rows.rows = {{"1", "    ", "lf\n"}, {"2", " <! ", "crlf\r\n"}, {nullptr, " !> ", "cr in\rtext\n"},
               {"3", "    ", "last, a CR only\r"}};
  std::string text = listing_text(header, 4, rows.cells());
  EXPECT_EQ(text, std::string(head) + "1\t    lf\r\n====\r\n2\t <! crlf\r\n\t !> cr in\rtext\r\n====\r\n" +
                      "3\t    last, a CR only\r\n");
  size_t lf = 0, crlf = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n') continue;
    ++lf;
    if (i > 0 && text[i - 1] == '\r') ++crlf;
  }
  EXPECT_EQ(lf, crlf) << "no LF without its CR";
}

TEST(ListingText, EmptyViewIsTheHeaderAlone) {
  Rows rows;
  ListingHeader one_side{"Comparing: ", "To: ", "C:\\only.c", nullptr};
  EXPECT_EQ(listing_text(one_side, 0, rows.cells()), "Comparing: C:\\only.c\r\nTo: \r\n====\r\n");
}

std::string temp_path(const char* name) {
  return ::testing::TempDir() + name;
}

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

TEST(ListingFile, ReplacesAnExistingFileByteForByte) {
  std::string path = temp_path("twyndle_listing_test.txt");
  ASSERT_EQ(write_text_file(path, std::string(5000, 'x')), WriteResult::written);
  ASSERT_EQ(write_text_file(path, "a\r\nb\n"), WriteResult::written);
  EXPECT_EQ(read_all(path), "a\r\nb\n");
  std::remove(path.c_str());
}

TEST(ListingFile, AFolderThatDoesNotExistCannotBeOpened) {
  EXPECT_EQ(write_text_file(temp_path("no_such_folder_x9/listing.txt"), "x"), WriteResult::cannot_open);
}
}  // namespace
