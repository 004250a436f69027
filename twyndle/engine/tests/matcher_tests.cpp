#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/hash_tree.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/section_list.h"
#include "twyndle/engine/section_match.h"
#include "twyndle/engine/source_file.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
using Rows = std::vector<Row>;

// --- whole compares: golden results ----------------------------------------

struct Golden {
  const char* what;
  std::string left, right;
  int ignore;
  Rows rows;
};

TEST(Composite, GivesTheGoldenResults) {
  const Golden cases[] = {
      {"a changed block shows the left version before the right", lines_of({"1", "2", "3", "4", "5"}),
       lines_of({"1", "2", "X", "4", "5"}), 0,
       {{Equal, 1, 1, 1, 2}, {LeftLinesOnly, 3, 0, 3, 3}, {RightLinesOnly, 0, 3, 3, 3}, {Equal, 4, 4, 4, 5}}},
      {"identical files", lines_of({"a", "b", "c"}), lines_of({"a", "b", "c"}), 0, {{Equal, 1, 1, 1, 3}}},
      {"swapped lines: on equal counts the right copy moves", lines_of({"a", "b", "c", "d"}),
       lines_of({"a", "c", "b", "d"}), 0,
       {{Equal, 1, 1, 1, 1}, {MovedRightLines, 3, 2, 2, 2}, {Equal, 2, 3, 3, 3}, {MovedLeftLines, 3, 2, 3, 3},
        {Equal, 4, 4, 4, 4}}},
      {"of two crossed blocks the shorter moves", lines_of({"a", "b", "c", "d", "e", "f"}),
       lines_of({"a", "c", "d", "e", "b", "f"}), 0,
       {{Equal, 1, 1, 1, 1}, {MovedLeftLines, 2, 5, 2, 2}, {Equal, 3, 2, 2, 4}, {MovedRightLines, 2, 5, 5, 5},
        {Equal, 6, 6, 6, 6}}},
      {"an empty left file", "", lines_of({"x", "y", "z"}), 0, {{RightLinesOnly, 0, 1, 1, 3}}},
      {"two empty files", "", "", 0, {}},
      {"a blank line passed over", lines_of({"a", "b"}), lines_of({"a", "", "b"}), 1, {{Equal, 1, 1, 1, 3}}},
      {"a blank line that counts", lines_of({"a", "b"}), lines_of({"a", "", "b"}), 0,
       {{Equal, 1, 1, 1, 1}, {RightLinesOnly, 0, 2, 2, 2}, {Equal, 2, 3, 3, 3}}},
      {"spacing ignored", lines_of({"int x = 1;", "\treturn x;"}), lines_of({"int  x=1;", "return x;"}), 1,
       {{Equal, 1, 1, 1, 2}}},
      {"CR LF and LF ends match", "a\r\nb\r\nc\r\n", "a\nb\nc\n", 0, {{Equal, 1, 1, 1, 3}}},
      {"a change among CR LF lines", "a\r\nb\r\nc\r\n", "a\nB\nc\n", 1,
       {{Equal, 1, 1, 1, 1}, {LeftLinesOnly, 2, 0, 2, 2}, {RightLinesOnly, 0, 2, 2, 2}, {Equal, 3, 3, 3, 3}}},
      {"a CR without its LF is text", "a\rb\n", "a\nb\n", 0,
       {{LeftLinesOnly, 1, 0, 1, 1}, {RightLinesOnly, 0, 1, 1, 2}}},
      {"a change after a NUL", std::string("abc\0XYZ\nsame\n", 13), std::string("abc\0QQQ\nsame\n", 13), 0,
       {{LeftLinesOnly, 1, 0, 1, 1}, {RightLinesOnly, 0, 1, 1, 1}, {Equal, 2, 2, 2, 2}}},
      {"a last line without its line end", "a\nb", "a\nb\n", 0,
       {{Equal, 1, 1, 1, 1}, {LeftLinesOnly, 2, 0, 2, 2}, {RightLinesOnly, 0, 2, 2, 2}}},
      {"repeated lines beside an anchor are linked", lines_of({"{", "}", "u", "{", "}"}),
       lines_of({"{", "}", "v", "{", "}"}), 0,
       {{Equal, 1, 1, 1, 2}, {LeftLinesOnly, 3, 0, 3, 3}, {RightLinesOnly, 0, 3, 3, 3}, {Equal, 4, 4, 4, 5}}},
      {"twice in one file and once in the other is no anchor", lines_of({"p", "k", "q", "k", "r"}),
       lines_of({"s", "k", "t"}), 0, {{LeftLinesOnly, 1, 0, 1, 5}, {RightLinesOnly, 0, 1, 1, 3}}},
      // k and m stand twice in each file. Growth from the unique u links the
      // first pair of each; the second, now unique among the unlinked Lines,
      // anchors in the next whole-file pass.
      {"pairs repeated twice anchor once the others are linked", lines_of({"x", "u", "k", "m", "y", "k", "m"}),
       lines_of({"z", "u", "k", "m", "w", "m", "k"}), 0,
       {{LeftLinesOnly, 1, 0, 1, 1}, {RightLinesOnly, 0, 1, 1, 1}, {Equal, 2, 2, 2, 4}, {LeftLinesOnly, 5, 0, 5, 5},
        {RightLinesOnly, 0, 5, 5, 5}, {MovedRightLines, 7, 6, 6, 6}, {Equal, 6, 7, 7, 7},
        {MovedLeftLines, 7, 6, 7, 7}}},
  };
  for (const Golden& golden : cases) {
    OptionGuard blanks(&ProgramState::ignore_blanks, golden.ignore);
    FilePair pair(golden.left, golden.right);
    EXPECT_NE(composite_sections(pair.item()), nullptr) << golden.what;
    EXPECT_EQ(pair.rows(), golden.rows) << golden.what;
  }
}

TEST(Composite, AHashCollisionBetweenUniqueLinesLinksNothing) {
  // Two different texts of one hash, each unique in its file, in the same place.
  LineFile probe({"gitzzrjv", "ezuecmxl"});
  ASSERT_EQ(line_hash(probe.at(1)), line_hash(probe.at(2)));
  FilePair pair(lines_of({"p", "gitzzrjv", "q"}), lines_of({"r", "ezuecmxl", "s"}));
  EXPECT_EQ(pair.rows(), (Rows{{LeftLinesOnly, 1, 0, 1, 3}, {RightLinesOnly, 0, 1, 1, 3}}));
}

TEST(Composite, EqualSectionsShowTheRightFilesLines) {
  FilePair pair(lines_of({"a", "b", "c", "d"}), lines_of({"a", "c", "b", "d"}));
  Section* first = section_list_first(composite_sections(pair.item()));
  EXPECT_EQ(section_first(first), list_first(source_lines(item_right_file(pair.item()))));
  EXPECT_EQ(item_count(item_left_sections(pair.item())), 4);
  EXPECT_EQ(item_count(item_right_sections(pair.item())), 4);
}

TEST(Composite, UnreadableFileGivesNoSectionsAndIsTriedAgainLater) {
  FilePair pair(lines_of({"a"}), lines_of({"a"}));
  pair.dir().remove("left.txt");
  EXPECT_EQ(composite_sections(pair.item()), nullptr);
  EXPECT_EQ(item_left_sections(pair.item()), nullptr);
  EXPECT_EQ(item_right_sections(pair.item()), nullptr);
  pair.dir().write("left.txt", lines_of({"a", "b"}));
  EXPECT_EQ(pair.rows(), (Rows{{Equal, 1, 1, 1, 1}, {LeftLinesOnly, 2, 0, 2, 2}}));
}

TEST(Composite, BinaryAndVeryLongLinesCompareWithoutHarm) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  std::string long_line(200000, 'q');
  FilePair pair(binary + long_line, binary + long_line + "\n");
  Rows rows = pair.rows();
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows.front().state, Equal) << "the binary lines before the long one match";
  EXPECT_EQ(rows.back().state, RightLinesOnly);
}

// --- the steps one by one, on Lines made in memory ---------------------------

// Links Lines of two files by their numbers.
void link(const LineFile& left, const LineFile& right, std::vector<std::pair<int, int>> pairs) {
  for (auto [l, r] : pairs) ASSERT_TRUE(line_link_pair(left.at(l), right.at(r)));
}

TEST(SkipBlankRun, StopsAtTheStopLineAndAtTextAndReportsMovement) {
  LineFile file({"", " \t", "x", ""});
  Line* cursor = file.at(1);
  EXPECT_TRUE(skip_blank_run(&cursor, nullptr, line_next));
  EXPECT_EQ(cursor, file.at(3));
  EXPECT_FALSE(skip_blank_run(&cursor, nullptr, line_next)) << "x is not blank";
  cursor = file.at(1);
  EXPECT_TRUE(skip_blank_run(&cursor, file.at(2), line_next));
  EXPECT_EQ(cursor, file.at(2));
  cursor = file.at(4);
  EXPECT_TRUE(skip_blank_run(&cursor, nullptr, line_next));
  EXPECT_EQ(cursor, nullptr) << "runs off the end";
  EXPECT_FALSE(skip_blank_run(&cursor, nullptr, line_next)) << "none counts as not blank";
}

TEST(GrowMatch, GrowsForwardThenBackwardWithinTheSections) {
  LineFile left({"a", "b", "c", "d", "e"});
  LineFile right({"a", "b", "c", "d", "e"});
  Section* sL = section_new(left.at(1), left.at(5), nullptr);
  Section* sR = section_new(right.at(1), right.at(5), nullptr);
  EXPECT_TRUE(grow_match(sL, left.at(3), sR, right.at(3)));
  for (int n = 1; n <= 5; ++n) EXPECT_EQ(line_link(left.at(n)), right.at(n)) << n;
  EXPECT_FALSE(grow_match(sL, left.at(3), sR, right.at(3))) << "nothing new to link";
  section_release(sL);
  section_release(sR);
}

TEST(GrowMatch, DoesNotGrowBackwardFromAnAnchorThatFailedToLink) {
  LineFile left({"a", "b"});
  LineFile right({"a", "c"});
  Section* sL = section_new(left.at(1), left.at(2), nullptr);
  Section* sR = section_new(right.at(1), right.at(2), nullptr);
  EXPECT_FALSE(grow_match(sL, left.at(2), sR, right.at(2)));
  EXPECT_EQ(line_link(left.at(1)), nullptr);
  EXPECT_FALSE(grow_match(sL, nullptr, sR, right.at(1)));
  section_release(sL);
  section_release(sR);
}

// Grows from the first Lines of the two texts; returns the right partner
// number of each left Line (0 for none).
std::vector<int32_t> grown_from_first(const std::vector<std::string>& left_texts,
                                      const std::vector<std::string>& right_texts) {
  LineFile left(left_texts);
  LineFile right(right_texts);
  Section* sL = section_new(left.at(1), left.at(static_cast<int32_t>(left_texts.size())), nullptr);
  Section* sR = section_new(right.at(1), right.at(static_cast<int32_t>(right_texts.size())), nullptr);
  EXPECT_TRUE(grow_match(sL, left.at(1), sR, right.at(1)));
  std::vector<int32_t> partners;
  for (int32_t n = 1; n <= static_cast<int32_t>(left_texts.size()); ++n) {
    partners.push_back(line_number(line_link(left.at(n))));
  }
  section_release(sL);
  section_release(sR);
  return partners;
}

TEST(GrowMatch, StepsOverBlankRunsOnlyWhenIgnoringBlanks) {
  std::vector<std::string> left = {"a", "b", "c"};
  std::vector<std::string> right = {"a", "", " \t", "b", "c"};
  EXPECT_EQ(grown_from_first(left, right), (std::vector<int32_t>{1, 0, 0}));
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  EXPECT_EQ(grown_from_first(left, right), (std::vector<int32_t>{1, 4, 5}));
  EXPECT_EQ(grown_from_first({"a", "", "b"}, {"a", "b"}), (std::vector<int32_t>{1, 0, 2}));
}

TEST(GrowMatch, DoesNotStartFromAnAlreadyLinkedPair) {
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  LineFile left({"a", "b"});
  LineFile right({"a", "b"});
  Section* sL = section_new(left.at(1), left.at(2), nullptr);
  Section* sR = section_new(right.at(1), right.at(2), nullptr);
  ASSERT_TRUE(line_link_pair(left.at(1), right.at(1)));
  EXPECT_FALSE(grow_match(sL, left.at(1), sR, right.at(1)));
  EXPECT_EQ(line_link(left.at(2)), nullptr);
  section_release(sL);
  section_release(sR);
}

TEST(MatchSections, AnchorsOnLinesUniqueInBoth) {
  LineFile left({"x", "{", "unique", "}", "y"});
  LineFile right({"z", "}", "{", "unique", "}", "{", "w"});
  Section* sL = section_new(left.at(1), left.at(5), nullptr);
  Section* sR = section_new(right.at(1), right.at(7), nullptr);
  EXPECT_TRUE(match_sections(sL, sR));
  EXPECT_EQ(line_link(left.at(3)), right.at(4));
  EXPECT_EQ(line_link(left.at(2)), right.at(3)) << "grown backward";
  EXPECT_EQ(line_link(left.at(4)), right.at(5)) << "grown forward";
  EXPECT_EQ(line_link(left.at(1)), nullptr);
  section_release(sL);
  section_release(sR);
  EXPECT_FALSE(match_sections(nullptr, sR));
}

TEST(MakeSectionList, CutsWhereThePartnersStopFollowingEachOther) {
  LineFile left({"a", "b", "c", "d", "e"});
  LineFile right({"a", "b", "d", "c", "e"});
  link(left, right, {{1, 1}, {2, 2}, {3, 4}, {4, 3}});
  BlockList* sections = make_section_list(left.lines(), true);
  EXPECT_EQ(rows_of(sections), (Rows{{Equal, 1, 1, 1, 2}, {Equal, 1, 1, 3, 3}, {Equal, 1, 1, 4, 4},
                                     {LeftLinesOnly, 1, 1, 5, 5}}));
  list_destroy(&sections);
  sections = make_section_list(right.lines(), false);
  EXPECT_EQ(rows_of(sections).back(), (Row{RightLinesOnly, 1, 1, 5, 5}));
  list_destroy(&sections);
}

TEST(MakeSectionList, BlankLinesJoinTheMatchedRunWhenIgnoringBlanks) {
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  LineFile left({"", "a", "", "b", "x", "", ""});
  LineFile right({"a", "b", "y"});
  link(left, right, {{2, 1}, {4, 2}});
  BlockList* sections = make_section_list(left.lines(), true);
  EXPECT_EQ(rows_of(sections), (Rows{{Equal, 1, 1, 1, 4}, {LeftLinesOnly, 1, 1, 5, 7}}));
  list_destroy(&sections);
  EXPECT_EQ(next_significant(left.at(4)), left.at(5));
  EXPECT_EQ(next_significant(left.at(5)), left.at(7)) << "the last, blank Line";
  EXPECT_EQ(next_significant(left.at(7)), nullptr);
}

TEST(MakeSectionList, TrailingBlankLinesEndTheMatchedRunWhenIgnoringBlanks) {
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  LineFile left({"a", "b", "", ""});
  LineFile right({"a", "b"});
  link(left, right, {{1, 1}, {2, 2}});
  BlockList* sections = make_section_list(left.lines(), true);
  EXPECT_EQ(rows_of(sections), (Rows{{Equal, 1, 1, 1, 4}}));
  list_destroy(&sections);
}

// A gap of the left file, its partners linked by hand, and the right Line
// the gap's Line is linked to by pairing (0: the gap is not matched).
struct GapCase {
  const char* what;
  std::vector<std::string> left, right;
  std::vector<std::pair<int, int>> links;
  int gap, partner;
};

TEST(PairSections, MatchesAGapOnlyAgainstTheRightGapInTheSamePlace) {
  const GapCase cases[] = {
      {"a last right Section is not taken", {"A", "x"}, {"A", "x"}, {{1, 1}}, 2, 0},
      {"after a pair, before nothing", {"M", "A", "x"}, {"A", "x", "M"}, {{1, 3}, {2, 1}}, 3, 2},
      {"a first right Section is not taken", {"x", "A"}, {"x", "A"}, {{2, 2}}, 1, 0},
      {"before a pair, after nothing", {"x", "A", "M"}, {"M", "x", "A"}, {{2, 3}, {3, 1}}, 1, 2},
      {"between two pairs", {"A", "x", "B"}, {"A", "x", "C", "B"}, {{1, 1}, {3, 4}}, 2, 2},
      {"between pairs that are apart on the right", {"A", "x", "B", "Q"}, {"A", "x", "Q", "z", "B"},
       {{1, 1}, {3, 5}, {4, 3}}, 2, 0},
  };
  for (const GapCase& c : cases) {
    LineFile left(c.left);
    LineFile right(c.right);
    link(left, right, c.links);
    BlockList* left_list = make_section_list(left.lines(), true);
    BlockList* right_list = make_section_list(right.lines(), false);
    EXPECT_EQ(pair_sections(left_list, right_list), c.partner != 0) << c.what;
    EXPECT_EQ(line_number(line_link(left.at(c.gap))), c.partner) << c.what;
    list_destroy(&left_list);
    list_destroy(&right_list);
  }
}

TEST(PairSections, SectionsArePairedByTheirFirstLinkedLine) {
  LineFile left({"a", "b", "c", "d"});
  LineFile right({"c", "d", "a", "b"});
  link(left, right, {{1, 3}, {2, 4}, {3, 1}, {4, 2}});
  BlockList* left_list = make_section_list(left.lines(), true);
  BlockList* right_list = make_section_list(right.lines(), false);
  EXPECT_FALSE(pair_sections(left_list, right_list));
  Section* l1 = section_list_first(left_list);
  Section* l2 = section_next(l1);
  Section* r1 = section_list_first(right_list);
  Section* r2 = section_next(r1);
  EXPECT_EQ(section_link(l1), r2);
  EXPECT_EQ(section_link(r2), l1);
  EXPECT_EQ(section_link(l2), r1);
  EXPECT_EQ(section_link(r1), l2);
  list_destroy(&left_list);
  list_destroy(&right_list);
}

TEST(HashTreeCensus, CountsEachKeyAndKeepsTheFirstLine) {
  LineFile file({"a", "b", "c"});
  HashTree* tree = hash_tree_new(3);
  ASSERT_NE(tree, nullptr);
  hash_tree_add(tree, 7, file.at(1));
  hash_tree_add(tree, 7, file.at(2));
  hash_tree_add(tree, 0, file.at(3));
  Line* first = nullptr;
  EXPECT_EQ(hash_tree_count(tree, 7, &first), 2);
  EXPECT_EQ(first, file.at(1));
  EXPECT_EQ(hash_tree_count(tree, 0, &first), 1) << "0 is a key like any other";
  EXPECT_EQ(first, file.at(3));
  EXPECT_EQ(hash_tree_count(tree, 8, &first), 0);
  EXPECT_EQ(first, nullptr);
  hash_tree_release(tree);
}

TEST(HashTreeCensus, KeepsManyKeysApartAndNeverOverfills) {
  LineFile file({"x"});
  HashTree* tree = hash_tree_new(5000);
  // Keys that differ only in their high bits, or only in their low bits.
  for (uint32_t k = 0; k < 2500; ++k) hash_tree_add(tree, k << 20, file.at(1));
  for (uint32_t k = 0; k < 2500; ++k) hash_tree_add(tree, k + 1, file.at(1));
  for (uint32_t k = 0; k < 2500; ++k) {
    ASSERT_EQ(hash_tree_count(tree, k << 20, nullptr), 1) << k;
    ASSERT_EQ(hash_tree_count(tree, k + 1, nullptr), 1);
  }
  hash_tree_release(tree);
  HashTree* small = hash_tree_new(1);
  for (uint32_t k = 0; k < 100; ++k) hash_tree_add(small, k * 2654435761u, file.at(1));
  EXPECT_EQ(hash_tree_count(small, 12345, nullptr), 0) << "a lookup still ends when more keys came than asked for";
  hash_tree_release(small);
  EXPECT_EQ(hash_tree_count(nullptr, 1, nullptr), 0);
  hash_tree_add(nullptr, 1, nullptr);
  hash_tree_release(nullptr);
}

TEST(HashTreeCensus, TablesOfAnySizeHoldTheKeysAskedForAndWrapAtTheirEnd) {
  LineFile file({"x", "y"});
  for (uint32_t asked : {1u, 7u, 9u, 100u, 1000u, 4097u}) {
    HashTree* tree = hash_tree_new(asked);
    ASSERT_NE(tree, nullptr);
    for (uint32_t k = 0; k < asked; ++k) hash_tree_add(tree, k * 2654435761u + 1, file.at(1 + k % 2));
    for (uint32_t k = 0; k < asked; ++k) {
      Line* first = nullptr;
      ASSERT_EQ(hash_tree_count(tree, k * 2654435761u + 1, &first), 1) << asked << " " << k;
      ASSERT_EQ(first, file.at(1 + k % 2));
    }
    hash_tree_release(tree);
  }
  // Keys that all belong in the last slot go on at the first ones.
  const uint32_t spread_inverse = 0x0E8B2F51u;  // of the table's multiplier
  HashTree* tree = hash_tree_new(10);
  for (uint32_t k = 0; k < 6; ++k) hash_tree_add(tree, (0xFFFFFFFFu - k) * spread_inverse, file.at(1));
  for (uint32_t k = 0; k < 6; ++k) EXPECT_EQ(hash_tree_count(tree, (0xFFFFFFFFu - k) * spread_inverse, nullptr), 1);
  EXPECT_EQ(hash_tree_count(tree, 0xFFFFFFF0u * spread_inverse, nullptr), 0);
  hash_tree_release(tree);
}

TEST(SectionRecord, CountsItsLinesAndAcceptsMissingRecords) {
  LineFile file({"a", "b", "c"});
  Section* section = section_new(file.at(2), file.at(3), nullptr);
  EXPECT_EQ(section_line_count(section), 2);
  EXPECT_EQ(section_state(section), 0);
  EXPECT_EQ(section_left_base(section), 1);
  EXPECT_EQ(section_right_base(section), 1);
  EXPECT_EQ(section_next(section), nullptr) << "a standalone Section has no neighbours";
  section_release(section);
  EXPECT_EQ(section_line_count(nullptr), 0);
  EXPECT_EQ(section_first(nullptr), nullptr);
  section_set_state(nullptr, Equal);
  section_release(nullptr);
}
}  // namespace

// --- running out of memory while matching ------------------------------------

namespace {
// Two files of 20,000 lines that differ in a few places: matching them
// needs censuses and indexes of well over 64 KiB.
class LargePair : public testing::Test {
 protected:
  static std::string text(int changed_every) {
    std::string bytes;
    for (int i = 1; i <= 20000; ++i) {
      bytes += (changed_every && i % changed_every == 0 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    return bytes;
  }
  FilePair pair{text(0), text(997)};
  RecordingUi ui;
};

TEST_F(LargePair, IgnoreLeavesTheItemWithoutSectionsAndALaterRequestMatchesAfresh) {
  {
    FailingMemory memory(1000000, 0, 65536);
    EXPECT_EQ(composite_sections(pair.item()), nullptr) << "no half-made result";
    EXPECT_GT(memory.refused(), 0);
  }
  ASSERT_FALSE(ui.texts().empty());
  EXPECT_EQ(ui.texts()[0], "Memory allocation failed");
  EXPECT_EQ(ui.recorded()[0].title, "Out Of Memory");
  EXPECT_EQ(ui.recorded()[0].buttons, MessageButtons::abort_retry_ignore);
  EXPECT_EQ(item_left_sections(pair.item()), nullptr);
  EXPECT_EQ(item_right_sections(pair.item()), nullptr);
  std::vector<Row> rows = pair.rows();
  ASSERT_EQ(rows.size(), 61u) << "20 changed lines, each a left and a right row between equal runs";
  EXPECT_EQ(rows.front(), (Row{Equal, 1, 1, 1, 996}));
}

TEST_F(LargePair, EachAllocationRefusedInTurnEndsCleanly) {
  // The n-th large request refused, for every n the match makes.
  for (int served = 0; served < 40; ++served) {
    {
      FailingMemory memory(1, served, 65536);
      BlockList* composite = composite_sections(pair.item());
      if (memory.refused() == 0) {
        ASSERT_NE(composite, nullptr);
        break;
      }
      EXPECT_EQ(composite, nullptr) << "request " << served;
    }
    ASSERT_EQ(pair.rows().size(), 61u) << "after a failure at request " << served;
    item_discard_sections(pair.item());
  }
}

TEST_F(LargePair, RetryGoesOnWithTheSameMatch) {
  ui.answer_next(MessageAnswer::retry);
  FailingMemory memory(1, 0, 65536);
  EXPECT_NE(composite_sections(pair.item()), nullptr);
  EXPECT_EQ(memory.refused(), 1);
  EXPECT_EQ(pair.rows().size(), 61u);
}

TEST_F(LargePair, AbortEndsTheProcessWithCodeOne) {
  EXPECT_EXIT(
      {
        ui.answer_next(MessageAnswer::abort);
        FailingMemory memory(1, 0, 65536);
        composite_sections(pair.item());
      },
      testing::ExitedWithCode(1), "");
}
}  // namespace
