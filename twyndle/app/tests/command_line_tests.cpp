#include "twyndle/app/command_line.h"

#include <gtest/gtest.h>

namespace {
using Args = std::vector<std::string>;

TEST(CommandLinePaths, FirstIsLeftAndTheLastOfTheOthersIsRight) {
  CommandLine two = parse_command_line({"a.c", "b.c"});
  EXPECT_TRUE(two.has_left);
  EXPECT_EQ(two.left_path, "a.c");
  EXPECT_EQ(two.right_path, "b.c");

  CommandLine three = parse_command_line({"dir1", "dir2", "dir3"});
  EXPECT_EQ(three.left_path, "dir1");
  EXPECT_EQ(three.right_path, "dir3");

  CommandLine one = parse_command_line({"a.c"});
  EXPECT_EQ(one.left_path, "a.c");
  EXPECT_EQ(one.right_path, ".");
}

TEST(CommandLinePaths, NoPathMeansNoCompare) {
  CommandLine none = parse_command_line({});
  EXPECT_FALSE(none.has_left);
  EXPECT_FALSE(none.options_error);
  EXPECT_FALSE(parse_command_line({"-c", "-d"}).has_left);
  // An empty argument is still the left path: the compare then reports it.
  CommandLine empty = parse_command_line({"", "b"});
  EXPECT_TRUE(empty.has_left);
  EXPECT_EQ(empty.left_path, "");
  EXPECT_EQ(empty.right_path, "b");
}

TEST(CommandLineOptions, DisplayOptionsInAnyCaseWithEitherPrefix) {
  CommandLine line = parse_command_line({"-c", "/D", "-I", "/o", "-t", "x", "y"});
  EXPECT_TRUE(line.colour_marks);
  EXPECT_TRUE(line.side_by_side);
  EXPECT_TRUE(line.ignore_blanks);
  EXPECT_TRUE(line.only_changes);
  EXPECT_FALSE(line.save);
  EXPECT_FALSE(line.options_error);
  EXPECT_EQ(line.left_path, "x");
  EXPECT_EQ(line.right_path, "y");

  CommandLine plain = parse_command_line({"x", "y"});
  EXPECT_FALSE(plain.colour_marks || plain.side_by_side || plain.ignore_blanks || plain.only_changes);
}

TEST(CommandLineOptions, OptionsMayFollowThePaths) {
  CommandLine line = parse_command_line({"x", "-o", "y", "-c"});
  EXPECT_EQ(line.left_path, "x");
  EXPECT_EQ(line.right_path, "y");
  EXPECT_TRUE(line.only_changes);
  EXPECT_TRUE(line.colour_marks);
}

TEST(CommandLineOptions, UnknownLettersAreAnOptionsError) {
  for (const Args& args : {Args{"-x", "a", "b"}, Args{"a", "/q"}, Args{"-", "a"}, Args{"/", "a"},
                           Args{"-sLX", "list", "a"}, Args{"-s1", "list"}}) {
    EXPECT_TRUE(parse_command_line(args).options_error) << args[0];
  }
}

TEST(CommandLineSave, LettersChooseTheStates) {
  CommandLine line = parse_command_line({"-sLR", "list.txt", "dir1", "dir2"});
  EXPECT_TRUE(line.save);
  EXPECT_EQ(line.save_file, "list.txt");
  EXPECT_EQ(line.save_states, 6u);
  EXPECT_EQ(line.left_path, "dir1");
  EXPECT_EQ(line.right_path, "dir2");

  EXPECT_EQ(parse_command_line({"-sS", "f"}).save_states, 1u);
  EXPECT_EQ(parse_command_line({"-sl", "f"}).save_states, 2u);
  EXPECT_EQ(parse_command_line({"-Sr", "f"}).save_states, 4u);
  EXPECT_EQ(parse_command_line({"/sD", "f"}).save_states, 8u);
  EXPECT_EQ(parse_command_line({"-sdsrl", "f"}).save_states, 15u);
  EXPECT_EQ(parse_command_line({"-sSS", "f"}).save_states, 1u);
}

TEST(CommandLineSave, NoLetterMeansDifferingAndLeftOnly) {
  CommandLine line = parse_command_line({"-s", "list", "a", "b"});
  EXPECT_TRUE(line.save);
  EXPECT_EQ(line.save_states, 6u);
  EXPECT_EQ(line.save_file, "list");
}

TEST(CommandLineSave, TheNextArgumentIsTheFileWhateverItLooksLike) {
  CommandLine line = parse_command_line({"-s", "-c", "a", "b"});
  EXPECT_TRUE(line.save);
  EXPECT_EQ(line.save_file, "-c");
  EXPECT_FALSE(line.colour_marks);
  EXPECT_EQ(line.left_path, "a");
}

TEST(CommandLineSave, LastArgumentGivesAnOrdinaryRun) {
  CommandLine line = parse_command_line({"a", "b", "-sL"});
  EXPECT_FALSE(line.save);
  EXPECT_FALSE(line.options_error);
  EXPECT_EQ(line.left_path, "a");
  EXPECT_EQ(line.right_path, "b");
}

TEST(CommandLineSave, StateLetters) {
  uint32_t states = 0;
  EXPECT_TRUE(parse_save_states("", &states));
  EXPECT_EQ(states, 6u);
  EXPECT_TRUE(parse_save_states("SLRD", &states));
  EXPECT_EQ(states, 15u);
  states = 77;
  EXPECT_FALSE(parse_save_states("SLX", &states));
  EXPECT_EQ(states, 77u);
}
}  // namespace
