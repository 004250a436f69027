// The command line of scrivane itself.
//
//   scrivane [/german] [/log FILE] [/nocompare] [/?] [PATH...] [-- ARGUMENT...]
//
//   /german     answer twyndle's language question with "German"
//   /log FILE   append the text of every open request to FILE, one line each
//   /nocompare  do not start twyndle at start-up, even when paths are given
//   /?          show the usage text
//   PATH...     paths handed to twyndle at start-up
//   -- ...      everything after "--" is handed to twyndle unchanged
//
// Options start with "/" or "-" and are matched ignoring case. Any other
// option before "--" is an error, so that a misspelt option is not taken for
// a path. With twyndle arguments and without /nocompare, twyndle.exe (looked
// for beside scrivane.exe) is started with them once the window is up.
#pragma once

#include <string>
#include <vector>

namespace scrivane {

struct HostOptions {
  bool german = false;       // answer 1 to the language question
  bool no_compare = false;   // start no twyndle at start-up
  bool show_usage = false;   // "/?" was given
  std::string log_path;      // empty: no request log
  std::vector<std::string> twyndle_args;
  std::string error;         // non-empty when the command line was not understood
};

// Parses the arguments after the program name.
HostOptions parse_host_options(const std::vector<std::string>& args);

// The usage text shown for "/?" and after a command-line error.
std::string usage_text();

}  // namespace scrivane
