// twyndle's command line: two paths and a handful of one-letter options.
//
//   twyndle [-c] [-d] [-i] [-o] [-t] [-s[SLRD] file] left [right...]
//
// An argument is an option when it begins with "-" or "/"; the letter after
// that is read ignoring case, and anything after the letter is not looked at
// (except after -s, where it names the states to save). The first plain
// argument is the left path, and each later one replaces the right path,
// which is "." when none is given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The states a saved list holds when -s names none: differing and left-only.
constexpr uint32_t default_save_states = 6;

struct CommandLine {
  bool colour_marks = false;   // -c: rows coloured by state
  bool side_by_side = false;   // -d: left and right text in two columns
  bool ignore_blanks = false;  // -i: spaces and tabs ignored in compares
  bool only_changes = false;   // -o: expanded rows leave out equal lines
  bool has_left = false;       // a left path was given; without one nothing is compared
  std::string left_path;
  std::string right_path = ".";
  bool save = false;           // -s with a file after it
  std::string save_file;
  uint32_t save_states = default_save_states;  // bits: S 1, L 2, R 4, D 8
  bool options_error = false;  // an option or state letter was not understood
};

// Reads the arguments after the program name. At the first option that is
// not understood it stops and sets options_error; no run is to be started.
CommandLine parse_command_line(const std::vector<std::string>& args);

// The state bits named by the letters after -s (S 1, L 2, R 4, D 8, any case,
// any order); default_save_states when there is none. False for any other
// letter.
bool parse_save_states(const std::string& letters, uint32_t* states);
