#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/line.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/tests/option_guard.h"

namespace {
// A standalone Line over a text, released with the object.
struct TestLine {
  explicit TestLine(const std::string& text, int32_t number = 1)
      : line(line_new(text.data(), static_cast<uint32_t>(text.size()), number, nullptr)) {}
  ~TestLine() { line_release(line); }
  Line* line;
};

// The hash written out the long way: the k-th byte (signed) times k times
// 6293815^k, over every byte of the string, NULs included.
uint32_t reference_hash(const std::string& text) {
  uint64_t sum = 0;
  uint64_t power = 1;
  for (size_t k = 1; k <= text.size(); ++k) {
    power = power * 6293815u % 4294967296u;
    int64_t byte = static_cast<signed char>(text[k - 1]);
    sum = (sum + static_cast<uint64_t>(byte * static_cast<int64_t>(k)) * power) % 4294967296u;
  }
  return static_cast<uint32_t>(sum);
}

TEST(LineHash, GivesTheKnownValues) {
  TestLine abc("abc");
  EXPECT_EQ(line_hash(abc.line), 2853781978u);
  EXPECT_EQ(text_hash("abc"), 0xAA1941DAu);
  EXPECT_EQ(text_hash("abc\r\n"), 359767564u);
  EXPECT_EQ(text_hash("\r\n"), 1149418527u);
  EXPECT_EQ(text_hash(""), 0u);
  EXPECT_EQ(text_hash("\xFF"), 4288673481u) << "high bytes count as negative";
}

TEST(LineHash, AgreesWithTheLongWayOnAssortedTexts) {
  for (const std::string& text : {std::string("int main(void) {\n"), std::string("\t\treturn 0;\r\n"),
                                  std::string("\x81\x40\xE9t\xE9\n"), std::string(700, 'q'), std::string("}")}) {
    EXPECT_EQ(text_hash(text.c_str()), reference_hash(text)) << text;
  }
}

TEST(LineHash, AgreesWithTheLongWayForEveryLengthAndNulPlace) {
  std::string bytes;
  for (int i = 0; i < 67; ++i) bytes.push_back(static_cast<char>(1 + (i * 89 + 7) % 255));  // no NUL, high bytes too
  for (size_t length = 0; length <= bytes.size(); ++length) {
    std::string text = bytes.substr(0, length);
    ASSERT_EQ(text_hash(text.c_str()), reference_hash(text)) << "length " << length;
  }
  for (size_t nul = 0; nul < 12; ++nul) {
    std::string text = bytes.substr(0, 12);
    text[nul] = '\0';
    TestLine t(text);
    EXPECT_EQ(line_hash(t.line), reference_hash(text)) << "NUL at " << nul;
    EXPECT_EQ(bytes_hash(text.data(), 12), reference_hash(text)) << "NUL at " << nul;
    EXPECT_EQ(text_hash(text.c_str()), reference_hash(text.substr(0, nul))) << "a C text ends at its NUL";
  }
}

TEST(LineHash, SkippedBlanksTakeNoPosition) {
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  EXPECT_EQ(text_hash("a b c"), text_hash("abc"));
  EXPECT_EQ(text_hash(" \t a\tbc  "), 2853781978u);
  EXPECT_EQ(text_hash("   "), 0u);
}

TEST(LineHash, IsCachedUntilReset) {
  TestLine t("abc\n");
  uint32_t first = line_hash(t.line);
  EXPECT_TRUE(t.line->flags & line_hash_valid);
  {
    OptionGuard on(&ProgramState::ignore_blanks, 1);
    EXPECT_EQ(line_hash(t.line), first) << "the cached value stays";
    line_reset(t.line);
    EXPECT_FALSE(t.line->flags & line_hash_valid);
  }
  EXPECT_EQ(line_hash(t.line), first);
  EXPECT_EQ(line_hash(nullptr), 0u);
}

TEST(LineHash, TakesEveryByteAfterANul) {
  std::string with_nul("ab\0cd\n", 6);
  TestLine t(with_nul);
  EXPECT_EQ(t.line->length, 6u);
  EXPECT_EQ(std::memcmp(line_text(t.line), with_nul.data(), 6), 0) << "every byte is kept";
  EXPECT_EQ(line_hash(t.line), reference_hash(with_nul));
  EXPECT_NE(line_hash(t.line), text_hash("ab"));
  EXPECT_EQ(display_length(t.line, 8), 2) << "the display still ends at the NUL";
}

TEST(LineHash, ACrBeforeTheClosingLfBelongsToTheLineEnd) {
  TestLine crlf("abc\r\n"), lf("abc\n"), inner("a\rbc\n"), bare_cr("abc\r");
  EXPECT_EQ(line_hash(crlf.line), line_hash(lf.line));
  EXPECT_EQ(line_hash(crlf.line), text_hash("abc\n"));
  EXPECT_EQ(line_hash(inner.line), text_hash("a\rbc\n")) << "a CR inside the text is an ordinary byte";
  EXPECT_EQ(line_hash(bare_cr.line), text_hash("abc\r")) << "so is a CR that no LF follows";
  EXPECT_EQ(std::string(line_text(crlf.line)), "abc\r\n") << "the text keeps its CR";
}

TEST(LineEqual, SeesDifferencesAfterANul) {
  TestLine a(std::string("abc\0XYZ\n", 8)), b(std::string("abc\0QQQ\n", 8)), c(std::string("abc\0XYZ\n", 8));
  TestLine short_one(std::string("abc\0\n", 5));
  EXPECT_FALSE(line_equal(a.line, b.line));
  EXPECT_TRUE(line_equal(a.line, c.line));
  EXPECT_FALSE(line_equal(a.line, short_one.line));
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  for (Line* line : {a.line, b.line, c.line, short_one.line}) line_reset(line);
  EXPECT_FALSE(line_equal(a.line, b.line)) << "also when skipping blanks";
  EXPECT_TRUE(line_equal(a.line, c.line));
}

TEST(LineEqual, ComparesBytesAndTakesCrLfForLf) {
  TestLine crlf("abc\r\n"), lf("abc\n"), lf2("abc\n"), upper("ABC\n"), bare("abc"), bare_cr("abc\r");
  TestLine longer_crlf("abcd\r\n"), cr_in_text("ab\rc\n");
  EXPECT_TRUE(line_equal(lf.line, lf2.line));
  EXPECT_TRUE(line_equal(crlf.line, lf.line)) << "CR LF and LF are both line ends";
  EXPECT_TRUE(line_equal(lf.line, crlf.line));
  EXPECT_FALSE(line_equal(longer_crlf.line, lf.line));
  EXPECT_FALSE(line_equal(cr_in_text.line, TestLine("abc\n").line));
  EXPECT_FALSE(line_equal(lf.line, bare.line)) << "a last line without its LF differs";
  EXPECT_FALSE(line_equal(crlf.line, bare_cr.line)) << "a CR without a LF is text";
  EXPECT_FALSE(line_equal(bare.line, bare_cr.line));
  EXPECT_FALSE(line_equal(lf.line, upper.line)) << "case counts";
  EXPECT_FALSE(line_equal(lf.line, nullptr));
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  TestLine spaced_crlf(" a b c \r\n");
  for (Line* line : {crlf.line, lf.line}) line_reset(line);
  EXPECT_TRUE(line_equal(crlf.line, lf.line)) << "with -i as well";
  EXPECT_TRUE(line_equal(spaced_crlf.line, lf.line));
}

TEST(LineEqual, IgnoresSpacesAndTabsOnlyWhenAsked) {
  TestLine tabbed("a\tb\n"), joined("ab\n"), spaced(" ab\n");
  EXPECT_FALSE(line_equal(tabbed.line, joined.line));
  EXPECT_FALSE(line_equal(spaced.line, joined.line));
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  for (Line* line : {tabbed.line, joined.line, spaced.line}) line_reset(line);
  EXPECT_TRUE(line_equal(tabbed.line, joined.line));
  EXPECT_TRUE(line_equal(spaced.line, joined.line));
  EXPECT_TRUE(line_equal(tabbed.line, spaced.line));
}

TEST(LineLink, LinksOnlyUnlinkedEqualPairs) {
  TestLine a("same\n", 1), b("same\n", 7), c("same\n", 9), d("other\n", 2);
  EXPECT_FALSE(line_link_pair(a.line, d.line));
  EXPECT_EQ(line_link(a.line), nullptr);
  EXPECT_TRUE(line_link_pair(a.line, b.line));
  EXPECT_EQ(line_link(a.line), b.line);
  EXPECT_EQ(line_link(b.line), a.line);
  EXPECT_FALSE(line_link_pair(c.line, a.line)) << "a is already linked";
  EXPECT_EQ(line_link(a.line), b.line);
  EXPECT_EQ(line_link(c.line), nullptr);
  line_reset(a.line);
  line_reset(b.line);
  EXPECT_TRUE(line_link_pair(c.line, a.line));
  EXPECT_EQ(line_number(b.line), 7);
  EXPECT_FALSE(line_link_pair(nullptr, a.line));
}

TEST(LineBlank, IsBlankUpToTheLineEnd) {
  OptionGuard off(&ProgramState::ignore_blanks, 0);
  for (const char* blank : {"", "\r\n", "   \n", "\t \t", "  \r"}) EXPECT_TRUE(line_is_blank(TestLine(blank).line)) << blank;
  for (const char* text : {"x", "  x\n", "\f\n"}) EXPECT_FALSE(line_is_blank(TestLine(text).line)) << text;
  EXPECT_FALSE(line_is_blank(nullptr));
  OptionGuard on(&ProgramState::ignore_blanks, 1);
  EXPECT_TRUE(line_is_blank(TestLine("  \n").line));
  EXPECT_FALSE(line_is_blank(TestLine(" y\n").line));
}

TEST(LineDisplay, ExpandsTabsToTheNextStop) {
  EXPECT_EQ(display_length(TestLine("ab\tc\n").line, 8), 10);
  EXPECT_EQ(display_length(TestLine("\t").line, 8), 8);
  EXPECT_EQ(display_length(TestLine("12345678\t").line, 8), 16) << "a tab at a stop moves to the next";
  EXPECT_EQ(display_length(TestLine("a\tb").line, 4), 5);
  EXPECT_EQ(display_length(TestLine("a\tb").line, 0), 3) << "a tab width below 1 counts as 1";
  EXPECT_EQ(display_length(nullptr, 8), 0);
}

TEST(LineRecords, TextsBehindTheRecordOrOnTheHeapBehaveAlike) {
  BlockList* list = list_new();
  std::string body(26000, 'w');
  body[100] = '\t';
  std::string long_text = body + "\r\n";
  std::string short_text = "  a\tb\r\n";
  Line* in_list_short = line_new(short_text.data(), static_cast<uint32_t>(short_text.size()), 1, list);
  Line* in_list_long = line_new(long_text.data(), static_cast<uint32_t>(long_text.size()), 2, list);
  TestLine alone_short(short_text, 3), alone_long(long_text, 4);
  ASSERT_TRUE(in_list_short && in_list_long && alone_short.line && alone_long.line);
  EXPECT_TRUE(in_list_short->flags & line_text_inline);
  EXPECT_FALSE(in_list_long->flags & line_text_inline) << "too long for a list item";
  EXPECT_EQ(line_text(in_list_short), short_text);
  EXPECT_EQ(line_text(in_list_long), long_text);
  EXPECT_EQ(list_next(in_list_short), in_list_long);
  for (auto [a, b] : {std::pair{in_list_short, alone_short.line}, std::pair{in_list_long, alone_long.line}}) {
    EXPECT_EQ(line_hash(a), line_hash(b));
    EXPECT_TRUE(line_equal(a, b));
    EXPECT_EQ(display_length(a, 8), display_length(b, 8));
  }
  EXPECT_FALSE(line_equal(in_list_short, in_list_long));
  EXPECT_EQ(display_length(in_list_long, 8), 104 + 25899 + 2) << "100 letters, a tab to 104, 25,899 letters, CR LF";
  for (Line* line : {in_list_short, in_list_long}) {
    line_release(line);
    EXPECT_EQ(line_text(line), nullptr) << "a released Line has no text";
    EXPECT_FALSE(line_equal(line, line));
    line_release(line);
  }
  list_destroy(&list);
}

TEST(LineRecords, ListLinesAndStandaloneLinesAreReleasedRight) {
  uint32_t free_before = heap_free_units(engine_heap);
  TestLine* standalone = new TestLine("standalone\n", 3);
  EXPECT_TRUE(standalone->line->flags & line_standalone);
  delete standalone;
  BlockList* list = list_new();
  std::string long_text(30000, 'L');
  Line* small = line_new("x\n", 2, 1, list);
  Line* large = line_new(long_text.data(), static_cast<uint32_t>(long_text.size()), 2, list);
  ASSERT_TRUE(small && large);
  EXPECT_FALSE(small->flags & line_standalone);
  EXPECT_EQ(std::string(line_text(large)), long_text);
  EXPECT_EQ(list_next(small), large);
  for (Line* line : {small, large}) line_release(line);
  list_destroy(&list);
  EXPECT_EQ(heap_free_units(engine_heap), free_before);
  EXPECT_EQ(line_new(nullptr, 3, 1, nullptr), nullptr);
  EXPECT_EQ(line_text(nullptr), nullptr);
  EXPECT_EQ(line_number(nullptr), 0);
}
}  // namespace
