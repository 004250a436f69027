#include "scrivane/compare_choice.h"

namespace scrivane {

std::string clean_path_text(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t\r\n");
  std::string path = text.substr(first, last - first + 1);
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = clean_path_text(path.substr(1, path.size() - 2));
  }
  return path;
}

std::string path_argument(const std::string& path) {
  if (path.empty()) return path;
  if (path[0] == '-') return ".\\" + path;
  if (path[0] == '/') return "\\" + path.substr(1);
  return path;
}

std::vector<std::string> compare_arguments(const CompareChoice& choice) {
  std::vector<std::string> args;
  std::string left = clean_path_text(choice.left);
  std::string right = clean_path_text(choice.right);
  if (left.empty()) return args;
  if (choice.colour_marks) args.push_back("-c");
  if (choice.side_by_side) args.push_back("-d");
  if (choice.ignore_blanks) args.push_back("-i");
  if (choice.only_changes) args.push_back("-o");
  args.push_back(path_argument(left));
  if (!right.empty()) args.push_back(path_argument(right));
  return args;
}

}  // namespace scrivane
