#include "tests/support/diff_verdicts.h"

#include <gtest/gtest.h>

namespace test_support {
namespace {
bool starts_with(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
}  // namespace

std::map<std::string, std::string> diff_verdicts(const std::string& output, const std::string& left,
                                                 const std::string& right, const std::set<std::string>& files) {
  std::map<std::string, std::string> verdicts;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    std::string text = output.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? output.size() : end + 1;
    if (starts_with(text, "Files " + left + "/")) {
      std::string first = text.substr(6 + left.size() + 1);
      verdicts[first.substr(0, first.find(" and "))] = "differ";
    } else if (starts_with(text, "Only in ")) {
      size_t colon = text.find(": ");
      std::string where = text.substr(8, colon - 8) + "/" + text.substr(colon + 2);
      bool on_left = starts_with(where + "/", left + "/");
      std::string relative = where.substr((on_left ? left : right).size() + 1);
      for (const std::string& file : files) {
        if (file == relative || starts_with(file, relative + "/")) verdicts[file] = on_left ? "left" : "right";
      }
    } else {
      ADD_FAILURE() << "diff said: " << text;
    }
  }
  return verdicts;
}

}  // namespace test_support
