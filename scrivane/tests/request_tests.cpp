#include "scrivane/open_request.h"
#include "scrivane/request_log.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

namespace scrivane {
namespace {

using test_support::native_path;
using test_support::read_file;
using test_support::TempFolder;
using test_support::write_file;

TEST(ParseOpenRequest, SplitsPathAndLineAtTheLastSlash) {
  OpenRequest request = parse_open_request("C:\\src\\a.c/120");
  EXPECT_EQ(request.path, "C:\\src\\a.c");
  EXPECT_EQ(request.line_number, 120u);
  request = parse_open_request("C:/src/dir/a.c/7");
  EXPECT_EQ(request.path, "C:/src/dir/a.c");
  EXPECT_EQ(request.line_number, 7u);
}

TEST(ParseOpenRequest, WholeTextIsThePathWithoutATrailingNumber) {
  for (const char* text : {"C:\\src\\a.c", "C:/src/a.c", "a.c/", "a.c/12x", "a.c/ 12",
                           "a.c/+3", "a.c/-3", "/12", ""}) {
    OpenRequest request = parse_open_request(text);
    EXPECT_EQ(request.path, text);
    EXPECT_EQ(request.line_number, 0u) << text;
  }
}

TEST(ParseOpenRequest, NumbersAreDecimalAndSaturate) {
  EXPECT_EQ(parse_open_request("a/007").line_number, 7u);
  EXPECT_EQ(parse_open_request("a/0").line_number, 0u);
  EXPECT_EQ(parse_open_request("a/0").path, "a");
  EXPECT_EQ(parse_open_request("a/99999999999999999999999").line_number, ULONG_MAX);
}

TEST(ResolveOpenRequest, PrefersAWholeTextThatIsAFile) {
  std::set<std::string> files{"C:/data/2024", "C:/src/a.c"};
  auto is_file = [&](const std::string& path) { return files.count(path) > 0; };
  OpenRequest request = resolve_open_request("C:/data/2024", is_file);
  EXPECT_EQ(request.path, "C:/data/2024");
  EXPECT_EQ(request.line_number, 0u);
  request = resolve_open_request("C:/src/a.c/5", is_file);
  EXPECT_EQ(request.path, "C:/src/a.c");
  EXPECT_EQ(request.line_number, 5u);
  // Neither exists: the parsed form stands, so the message names the file.
  request = resolve_open_request("C:/gone.c/5", is_file);
  EXPECT_EQ(request.path, "C:/gone.c");
  EXPECT_EQ(request.line_number, 5u);
}

TEST(RequestLog, LineIsTheTextWithControlCharactersMasked) {
  EXPECT_EQ(format_log_line("C:\\a b\\x.c/3"), "C:\\a b\\x.c/3\r\n");
  EXPECT_EQ(format_log_line("a\r\nb\tc"), "a??b?c\r\n");
  EXPECT_EQ(format_log_line(""), "\r\n");
  EXPECT_EQ(format_log_line("\xc4nderung"), "\xc4nderung\r\n");
}

TEST(RequestLog, AppendsOneLinePerRequestKeepingEarlierContent) {
  TempFolder folder;
  std::string log = native_path(folder.at("requests.log"));
  write_file(log, "earlier\r\n");
  EXPECT_TRUE(append_log_line(log, "C:\\a.c/3"));
  EXPECT_TRUE(append_log_line(log, "C:\\b.c"));
  EXPECT_EQ(read_file(log), "earlier\r\nC:\\a.c/3\r\nC:\\b.c\r\n");
}

TEST(RequestLog, ReportsAFileThatCannotBeWritten) {
  TempFolder folder;
  EXPECT_FALSE(append_log_line(native_path(folder.at("no-such-dir\\requests.log")), "x"));
  EXPECT_FALSE(append_log_line(native_path(folder.path()), "x"));
}

}  // namespace
}  // namespace scrivane
