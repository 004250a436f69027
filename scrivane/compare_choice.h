// What the Compare dialog collects, and the twyndle arguments made from it.
#pragma once

#include <string>
#include <vector>

namespace scrivane {

struct CompareChoice {
  bool directories = false;   // two directories rather than two files (only changes Browse)
  std::string left;           // required
  std::string right;          // may be empty: twyndle then compares with "."
  bool colour_marks = false;  // -c
  bool side_by_side = false;  // -d
  bool ignore_blanks = false; // -i
  bool only_changes = false;  // -o
};

// A path as typed or pasted: surrounding blanks and one pair of surrounding
// double quotes removed.
std::string clean_path_text(const std::string& text);

// A path that twyndle would read as an option (it starts with "-" or "/") is
// rewritten to name the same file: ".\-name", or "\name" for "/name".
std::string path_argument(const std::string& path);

// The options first, then the left path and, when given, the right path.
// The paths are cleaned first; an empty left path gives no arguments.
std::vector<std::string> compare_arguments(const CompareChoice& choice);

}  // namespace scrivane
