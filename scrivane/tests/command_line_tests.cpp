#include "scrivane/command_line.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace scrivane {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, SeparatesBlanksAndTabsAndKeepsProgramName) {
  EXPECT_EQ(split_command_line("prog a  b\tc"), (Args{"prog", "a", "b", "c"}));
  EXPECT_EQ(split_command_line("  prog  "), (Args{"prog"}));
  EXPECT_EQ(split_command_line(""), (Args{""}));
}

TEST(SplitCommandLine, ProgramNameIgnoresBackslashRules) {
  EXPECT_EQ(split_command_line("\"C:\\Program Files\\s.exe\" x"),
            (Args{"C:\\Program Files\\s.exe", "x"}));
  EXPECT_EQ(split_command_line("\"C:\\Tools\"\\s.exe x"), (Args{"C:\\Tools\\s.exe", "x"}));
  EXPECT_EQ(split_command_line("C:\\dir\\\"odd x"), (Args{"C:\\dir\\odd x"}));
}

TEST(SplitCommandLine, QuotesAndBackslashesFollowRuntimeRules) {
  EXPECT_EQ(split_command_line("p \"a b\" c"), (Args{"p", "a b", "c"}));
  EXPECT_EQ(split_command_line("p a\\\\b"), (Args{"p", "a\\\\b"}));
  EXPECT_EQ(split_command_line("p \"C:\\dir\\\\\" next"), (Args{"p", "C:\\dir\\", "next"}));
  EXPECT_EQ(split_command_line("p a\\\"b"), (Args{"p", "a\"b"}));
  EXPECT_EQ(split_command_line("p a\\\\\\\"b"), (Args{"p", "a\\\"b"}));
  EXPECT_EQ(split_command_line("p \"\""), (Args{"p", ""}));
  EXPECT_EQ(split_command_line("p \"say \"\"hi\"\"\""), (Args{"p", "say \"hi\""}));
  EXPECT_EQ(split_command_line("p ab\"c d\"e"), (Args{"p", "abc de"}));
}

TEST(QuoteArgument, LeavesPlainArgumentsAlone) {
  EXPECT_EQ(quote_argument("C:\\dir\\a.c"), "C:\\dir\\a.c");
  EXPECT_EQ(quote_argument("-d"), "-d");
}

TEST(QuoteArgument, QuotesWhatWouldOtherwiseSplitOrVanish) {
  // Each argument and its quoted form. A trailing backslash must not escape
  // the closing quote.
  const std::pair<const char*, const char*> cases[] = {
      {"", "\"\""}, {"a b", "\"a b\""}, {"a\"b", "\"a\\\"b\""},
      {"C:\\My Dir\\", "\"C:\\My Dir\\\\\""}, {"x \\\"y", "\"x \\\\\\\"y\""}};
  for (const auto& [argument, quoted] : cases) EXPECT_EQ(quote_argument(argument), quoted) << argument;
}

TEST(JoinCommandLine, QuotesProgramAndSplitsBackToTheSameArguments) {
  Args args{"-d", "C:\\My Dir\\", "b c.txt", "", "plain"};
  std::string line = join_command_line("C:\\Tools Dir\\twyndle.exe", args);
  EXPECT_EQ(line.rfind("\"C:\\Tools Dir\\twyndle.exe\" -d ", 0), 0u) << line;
  Args back = split_command_line(line);
  ASSERT_EQ(back.size(), args.size() + 1);
  EXPECT_EQ(back[0], "C:\\Tools Dir\\twyndle.exe");
  EXPECT_EQ(Args(back.begin() + 1, back.end()), args);
}

TEST(JoinCommandLine, RoundTripsRandomArguments) {
  std::mt19937 random(7);
  const std::string alphabet = "ab \t\\\"/-.";
  for (int round = 0; round < 2000; ++round) {
    Args args(random() % 5);
    for (std::string& arg : args) {
      for (size_t n = random() % 7; n > 0; --n) arg += alphabet[random() % alphabet.size()];
    }
    Args back = split_command_line(join_command_line("prog", args));
    ASSERT_EQ(Args(back.begin() + 1, back.end()), args) << join_command_line("prog", args);
  }
}

}  // namespace
}  // namespace scrivane
