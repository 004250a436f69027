#include <gtest/gtest.h>

#include <string>

#include "twyndle/engine/code_page.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
// Chooses a double-byte code page for one test.
class CodePage {
 public:
  explicit CodePage(unsigned code_page) { code_page_use(code_page); }
  ~CodePage() { code_page_use(0); }
};

std::string last(const char* path) { return last_component(path); }

TEST(LastComponent, TakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(last("c:\\dir\\file.c"), "file.c");
  EXPECT_EQ(last("dir\\sub\\"), "sub\\") << "a trailing backslash stays with the last name";
  EXPECT_EQ(last(".\\a\\sub\\"), "sub\\");
  EXPECT_EQ(last(".\\"), ".\\");
  EXPECT_EQ(last("file.c"), "file.c");
  EXPECT_EQ(last("c:file.c"), "file.c") << "without a backslash the colon separates";
  EXPECT_EQ(last("\\file.c"), "\\file.c") << "a backslash in the first position does not count";
  EXPECT_EQ(last(""), "");
  EXPECT_EQ(last_component(nullptr), nullptr);
}

TEST(LastComponent, TakesASlashForABackslash) {
  EXPECT_EQ(last("X/f"), "f");
  EXPECT_EQ(last("c:/dir/sub/file.c"), "file.c");
  EXPECT_EQ(last("c:\\dir/sub\\file.c"), "file.c") << "the two may be mixed";
  EXPECT_EQ(last("/tmp/x/a.c"), "a.c");
  EXPECT_EQ(last("dir/sub/"), "sub/");
  EXPECT_EQ(last("/file.c"), "/file.c") << "a slash in the first position does not count either";
  EXPECT_TRUE(path_ends_in_separator("dir/"));
  EXPECT_TRUE(path_ends_in_separator("/"));
  EXPECT_FALSE(path_ends_in_separator("dir/x"));
}

TEST(LastComponent, ABackslashAfterALeadByteIsNoSeparator) {
  const char* path = "c:\\d\\\x95\\x.c";  // 0x95 0x5C is one Shift-JIS character
  EXPECT_EQ(last(path), "x.c") << "single-byte code page: every backslash separates";
  CodePage japanese(932);
  EXPECT_EQ(last(path), "\x95\\x.c");
  EXPECT_EQ(last("\x95\\"), "\x95\\") << "the trail byte is not a trailing separator either";
  EXPECT_EQ(last("a\\\x95"), "\x95") << "a lead byte at the end is left alone";
}

TEST(TextLower, LowersSingleBytesButNotTrailBytes) {
  char plain[] = "ABC.Def\\X";
  text_lower(plain);
  EXPECT_STREQ(plain, "abc.def\\x");
  CodePage japanese(932);
  char mixed[] = "A\x95" "AB\x82";
  text_lower(mixed);
  EXPECT_STREQ(mixed, "a\x95" "Ab\x82") << "0x41 after a lead byte is a trail byte";
}

TEST(PathCompare, OrdersNamesAndRelativePaths) {
  EXPECT_EQ(path_compare("a.c", "a.c"), 0);
  EXPECT_LT(path_compare("a.c", "b.c"), 0);
  EXPECT_GT(path_compare("b.c", "a.c"), 0);
  EXPECT_LT(path_compare("a", "ab"), 0) << "the shorter sorts first";
  EXPECT_GT(path_compare("ab", "a"), 0);
  EXPECT_LT(path_compare(nullptr, "a"), 0);
  EXPECT_LT(path_compare(nullptr, nullptr), 0);
  EXPECT_GT(path_compare("a", nullptr), 0);
  EXPECT_LT(path_compare("\x80", "a"), 0) << "bytes compare as signed values";
  EXPECT_GT(path_compare("B", "\xE9"), 0);
}

TEST(PathCompare, ADirectorysFilesComeBeforeItsSubdirectories) {
  EXPECT_LT(path_compare(".\\z.c", ".\\a\\b.c"), 0) << "file z before the contents of a";
  EXPECT_GT(path_compare(".\\a\\b.c", ".\\z.c"), 0);
  EXPECT_LT(path_compare(".\\a.c", ".\\a\\x.c"), 0);
  EXPECT_LT(path_compare(".\\a\\x.c", ".\\a.c\\y.c"), 0) << "the backslash sorts first at the difference";
  EXPECT_LT(path_compare(".\\sub\\b.c", ".\\sub\\c.c"), 0);
  EXPECT_LT(path_compare(".\\a\\b\\c.c", ".\\b\\a.c"), 0) << "both go deeper: the byte decides";
}

TEST(PathQueries, TellFilesFromDirectoriesAndReadSizes) {
  TempFolder dir;
  std::string file = dir.write("f.txt", "12345");
  dir.make_folder("sub");
  EXPECT_TRUE(path_is_file(file.c_str()));
  EXPECT_FALSE(path_is_directory(file.c_str()));
  EXPECT_TRUE(path_is_directory(dir.at("sub").c_str()));
  EXPECT_FALSE(path_is_file(dir.at("sub").c_str()));
  EXPECT_EQ(path_file_size(file.c_str()), 5u);
  EXPECT_EQ(path_file_size(dir.at("missing").c_str()), 0u);
  EXPECT_FALSE(path_is_file(dir.at("missing").c_str()));
  EXPECT_FALSE(path_is_directory(dir.at("missing").c_str()));
  EXPECT_FALSE(path_is_file(nullptr));
}

TEST(PathQueries, FindsTheTrailingSeparator) {
  EXPECT_TRUE(path_ends_in_separator("c:\\dir\\"));
  EXPECT_TRUE(path_ends_in_separator("\\"));
  EXPECT_FALSE(path_ends_in_separator("c:\\dir"));
  EXPECT_FALSE(path_ends_in_separator(""));
  CodePage japanese(932);
  EXPECT_FALSE(path_ends_in_separator("c:\\\x95\\"));
}
}  // namespace
