// Splitting and building Windows command lines.
//
// A Windows program receives its command line as one text and splits it
// itself. We follow the rules of the C runtime: arguments are separated by
// blanks and tabs; double quotes group blanks into an argument; a run of
// backslashes is literal unless a double quote follows it, in which case each
// pair of backslashes gives one backslash and an odd one left over makes the
// quote a literal character. The program name, the first word, is taken
// without any backslash rule (it ends at the closing quote or the first blank).
//
// quote_argument() is the inverse: splitting a text built by
// join_command_line() gives back the same arguments, whatever they contain.
#pragma once

#include <string>
#include <vector>

namespace scrivane {

// Splits a full command line; the first element is the program name.
std::vector<std::string> split_command_line(const std::string& text);

// One argument, quoted only when it has to be (empty, or holds a blank, tab,
// line end or double quote).
std::string quote_argument(const std::string& arg);

// Program path followed by the arguments, each quoted as needed.
std::string join_command_line(const std::string& program, const std::vector<std::string>& args);

}  // namespace scrivane
