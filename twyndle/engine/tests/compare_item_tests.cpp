#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/source_file.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
using Rows = std::vector<Row>;

// Two roots compared without a view; the list is released with the object.
class Compared {
 public:
  Compared(const std::string& left, const std::string& right) : list(compare_paths(left.c_str(), right.c_str(), nullptr, 1)) {}
  ~Compared() { compare_list_release(list); }
  CompareItem* item(int index = 0) const {
    void* data = list_first(compare_list_items(list));
    for (int i = 0; i < index && data; ++i) data = list_next(data);
    return static_cast<CompareItem*>(data);
  }
  CompareList* list;
};

std::string owned(char* text) {
  std::string copy = text ? text : "(none)";
  text_free(text);
  return copy;
}

TEST(ItemState, OnlyEqualBytesAreIdentical) {
  TempFolder dir;
  Compared same(dir.write("a.c", "abc\n"), dir.write("b.c", "abc\n"));
  EXPECT_EQ(item_state(same.item()), Equal);
  EXPECT_STREQ(item_tag(same.item()), "identical");
  Compared empty(dir.write("e1", ""), dir.write("e2", ""));
  EXPECT_EQ(item_state(empty.item()), Equal) << "two empty files hold the same bytes";
}

TEST(ItemState, EqualSizesWithOtherBytesDifferAndReadSameSize) {
  TempFolder dir;
  Compared pair(dir.write("a.c", "abc\n"), dir.write("b.c", "xyz\n"));
  ASSERT_NE(pair.item(), nullptr);
  EXPECT_EQ(item_state(pair.item()), SizesDiffer) << "counts as differing everywhere";
  EXPECT_STREQ(item_tag(pair.item()), "same size");
  EXPECT_EQ(rows_of(composite_sections(pair.item())),
            (Rows{{LeftLinesOnly, 1, 0, 1, 1}, {RightLinesOnly, 0, 1, 1, 1}}))
      << "expanding shows the differences";
}

TEST(ItemState, ADifferenceAnywhereInALargeFileIsFound) {
  // Blocks are read in 64 KiB steps: a byte in the first block, on either
  // side of a block boundary and in the last, partial block.
  TempFolder dir;
  std::string bytes(3 * 65536 + 100, 'q');
  for (size_t i = 0; i < bytes.size(); i += 97) bytes[i] = static_cast<char>('a' + i % 23);
  dir.write("base", bytes);
  for (size_t place : {size_t{0}, size_t{65535}, size_t{65536}, size_t{2 * 65536 + 1}, bytes.size() - 1}) {
    std::string changed = bytes;
    changed[place] = static_cast<char>(changed[place] ^ 0x20);
    Compared pair(dir.at("base"), dir.write("other", changed));
    EXPECT_EQ(item_state(pair.item()), SizesDiffer) << "a byte changed at " << place;
    EXPECT_STREQ(item_tag(pair.item()), "same size");
  }
  Compared copy(dir.at("base"), dir.write("copy", bytes));
  EXPECT_EQ(item_state(copy.item()), Equal) << "a whole copy";
  std::string with_nul = bytes;
  with_nul[70000] = '\0';
  Compared nul(dir.write("nul1", with_nul), dir.write("nul2", with_nul));
  EXPECT_EQ(item_state(nul.item()), Equal) << "NUL bytes are bytes like any other";
}

TEST(ItemState, AFileThatCannotBeReadIsNotCalledIdentical) {
  FilePair pair("1234", "1234");
  pair.dir().remove("right.txt");  // gone after the scan saw it
  EXPECT_EQ(item_state(pair.item()), SizesDiffer);
  EXPECT_STREQ(item_tag(pair.item()), "couldn't read the right file");
}

TEST(ItemState, WithoutIdenticalTextEqualBytesReadSameSize) {
  FilePair pair("1", "1", false);
  EXPECT_EQ(item_state(pair.item()), Equal);
  EXPECT_STREQ(item_tag(pair.item()), "same size");
}

TEST(ItemState, SizesPast4GiBAreComparedWhole) {
  TempFolder dir;
  std::string big = sparse_file(dir, "big", (uint64_t{1} << 32) + 1);
  if (big.empty()) GTEST_SKIP() << "no sparse 4 GiB file here";
  Compared pair(big, dir.write("one", "x"));
  EXPECT_EQ(item_state(pair.item()), SizesDiffer);
  EXPECT_STREQ(item_tag(pair.item()), "different sizes");
}

TEST(ItemState, AnEmptyLeftFileAgainstAFullOneHasDifferentSizes) {
  TempFolder dir;
  Compared pair(dir.write("a.c", ""), dir.write("b.c", "x\n"));
  EXPECT_EQ(item_state(pair.item()), SizesDiffer);
  EXPECT_STREQ(item_tag(pair.item()), "different sizes");
}

TEST(ItemName, SingleFilesWithDifferentNamesShowBoth) {
  TempFolder dir;
  Compared pair(dir.write("a.c", "1"), dir.write("b.c", "1"));
  EXPECT_STREQ(item_name(pair.item()), ".\\a.c : .\\b.c");
}

TEST(ItemName, NamesEqualIgnoringCaseGiveTheRightOne) {
  TempFolder dir;
  dir.make_folder("l");
  dir.make_folder("r");
  Compared pair(dir.write("l\\Read.Me", "1"), dir.write("r\\READ.ME", "1"));
  EXPECT_STREQ(item_name(pair.item()), ".\\READ.ME");
}

TEST(ItemName, OneSidedItemsTakeTheirSideAndTheRootAsTyped) {
  TempFolder dir;
  dir.make_folder("r");
  dir.write("l\\only.c", "x");
  for (const std::string& root : {dir.at("l"), dir.at("l") + "\\"}) {
    Compared pair(root, dir.at("r"));
    ASSERT_NE(pair.item(), nullptr);
    EXPECT_EQ(item_state(pair.item()), LeftFileOnly);
    EXPECT_EQ(item_tag(pair.item()), "only in " + root);
    EXPECT_STREQ(item_name(pair.item()), ".\\only.c");
  }
  Compared mirrored(dir.at("r"), dir.at("l"));
  EXPECT_EQ(item_state(mirrored.item()), RightFileOnly);
  EXPECT_EQ(item_tag(mirrored.item()), "only in " + dir.at("l"));
}

TEST(ItemFiles, FullPathsForEachSideAndNoneForAMissingSide) {
  TempFolder dir;
  dir.make_folder("r");
  dir.write("l\\sub\\x.c", "x");
  Compared pair(dir.at("l"), dir.at("r"));
  EXPECT_EQ(owned(item_file_name(pair.item(), 1)), dir.at("l\\sub\\x.c"));
  EXPECT_EQ(item_file_name(pair.item(), 2), nullptr);
  EXPECT_EQ(item_file_name(pair.item(), 3), nullptr);
  std::string single = dir.write("single.c", "s");
  Compared files(single, single);
  EXPECT_EQ(owned(item_file_name(files.item(), 1)), single);
  EXPECT_EQ(owned(item_file_name(files.item(), 2)), single) << "a new text every time, freed by the caller";
}

TEST(ItemSections, AOneSidedItemIsOneEqualSectionOverItsFile) {
  TempFolder dir;
  dir.write("l\\x.c", lines_of({"a", "b", "c"}));
  dir.write("r\\empty.c", "");
  Compared pair(dir.at("l"), dir.at("r"));
  CompareItem* empty = pair.item(0);
  CompareItem* left_only = pair.item(1);
  ASSERT_STREQ(item_name(left_only), ".\\x.c");
  EXPECT_EQ(rows_of(composite_sections(left_only)), (Rows{{Equal, 1, 1, 1, 3}}));
  EXPECT_EQ(rows_of(item_left_sections(left_only)), (Rows{{Equal, 1, 1, 1, 3}}));
  EXPECT_NE(item_left_sections(left_only), composite_sections(left_only)) << "two separate lists";
  EXPECT_EQ(item_right_sections(left_only), nullptr);
  ASSERT_EQ(item_state(empty), RightFileOnly);
  ASSERT_NE(composite_sections(empty), nullptr);
  EXPECT_TRUE(rows_of(composite_sections(empty)).empty()) << "an empty file has no Lines to show";
}

TEST(ItemSections, DiscardingMatchesAgainFromScratch) {
  TempFolder dir;
  std::string left = dir.write("a.c", lines_of({"1", "2", "3"}));
  std::string right = dir.write("b.c", lines_of({"1", "x", "3"}));
  Compared pair(left, right);
  CompareItem* item = pair.item();
  Rows first = rows_of(composite_sections(item));
  EXPECT_EQ(composite_sections(item), composite_sections(item)) << "computed once";
  item_discard_sections(item);
  EXPECT_EQ(item_left_sections(item), nullptr);
  EXPECT_EQ(item_right_sections(item), nullptr);
  for (void* line = list_first(source_lines(item_left_file(item))); line; line = list_next(line)) {
    EXPECT_EQ(line_link(static_cast<Line*>(line)), nullptr);
  }
  EXPECT_EQ(rows_of(composite_sections(item)), first);

  dir.write("b.c", lines_of({"1", "2", "3"}));
  source_discard_lines(item_right_file(item));
  item_discard_sections(item);
  EXPECT_EQ(rows_of(composite_sections(item)), (Rows{{Equal, 1, 1, 1, 3}})) << "the changed file is read again";
}

TEST(ItemLineEnds, FilesThatDifferOnlyInLineEndsMatchAndSaySo) {
  TempFolder dir;
  Compared pair(dir.write("crlf.c", "a\r\nb\r\nc\r\n"), dir.write("lf.c", "a\nb\nc\n"));
  EXPECT_EQ(item_state(pair.item()), SizesDiffer);
  EXPECT_EQ(item_line_ends(pair.item()), LineEnds::same) << "nothing matched yet";
  EXPECT_EQ(rows_of(composite_sections(pair.item())), (Rows{{Equal, 1, 1, 1, 3}}));
  EXPECT_EQ(item_line_ends(pair.item()), LineEnds::crlf_left);
  Compared mirror(dir.at("lf.c"), dir.at("crlf.c"));
  composite_sections(mirror.item());
  EXPECT_EQ(item_line_ends(mirror.item()), LineEnds::crlf_right);
  Compared alike(dir.at("lf.c"), dir.write("lf2.c", "a\nB\nc\n"));
  composite_sections(alike.item());
  EXPECT_EQ(item_line_ends(alike.item()), LineEnds::same);
  EXPECT_EQ(item_line_ends(nullptr), LineEnds::same);
}

TEST(ItemRecord, MissingEntriesAndRecordsGiveNone) {
  EXPECT_EQ(item_new(nullptr, nullptr, nullptr, true), nullptr);
  BlockList* list = list_new();
  EXPECT_EQ(item_new(nullptr, nullptr, list, true), nullptr);
  EXPECT_EQ(list_first(list), nullptr) << "the list is left unchanged";
  list_destroy(&list);
  EXPECT_EQ(composite_sections(nullptr), nullptr);
  EXPECT_EQ(item_name(nullptr), nullptr);
  EXPECT_EQ(item_state(nullptr), 0);
  item_discard_sections(nullptr);
  item_release(nullptr);
}
}  // namespace
