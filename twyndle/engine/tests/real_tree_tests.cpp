// Real source trees against GNU diff -rq, file by file: the compare must
// agree with diff on every file, identical, differing or on one side only.
// Native only: it runs diff, and the trees are this machine's own headers.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/support/diff_verdicts.h"
#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/tests/compare_fixture.h"

namespace {
namespace fs = std::filesystem;

// Headers and sources installed on this machine, with no two names that
// differ only in case (the compare takes names as Windows does).
std::vector<fs::path> real_trees() {
  std::vector<fs::path> trees;
  std::error_code error;
  for (const char* root : {"/usr/include/c++", "/usr/src/googletest"}) {
    if (!fs::is_directory(root, error)) continue;
    if (std::string(root) == "/usr/src/googletest") {
      trees.push_back(root);
      continue;
    }
    for (const auto& version : fs::directory_iterator(root, error)) {
      if (version.is_directory() && !version.is_symlink()) trees.push_back(version.path());
    }
  }
  return trees;
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

void write_all(const fs::path& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

// Every regular file below `root`, as a relative path with slashes.
std::vector<std::string> files_below(const fs::path& root) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), root).string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// What diff -rq says of each file (diff_verdicts.h).
std::map<std::string, std::string> diff_verdicts(const fs::path& left, const fs::path& right) {
  std::string command = "diff -rq '" + left.string() + "' '" + right.string() + "' 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {};
  std::string output;
  char buffer[8192];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, count);
  pclose(pipe);
  std::set<std::string> files;
  for (const fs::path& root : {left, right}) {
    for (const std::string& file : files_below(root)) files.insert(file);
  }
  return test_support::diff_verdicts(output, left.string(), right.string(), files);
}

// What the compare says of each file, by the same relative names (lower
// case, slashes).
std::map<std::string, std::string> compare_verdicts(const fs::path& left, const fs::path& right) {
  std::map<std::string, std::string> verdicts;
  CompareList* list = compare_paths(left.c_str(), right.c_str(), nullptr, 1);
  EXPECT_NE(list, nullptr);
  for (void* data = list_first(compare_list_items(list)); data; data = list_next(data)) {
    auto* item = static_cast<CompareItem*>(data);
    std::string name = std::string(item_name(item)).substr(2);  // past ".\"
    std::replace(name.begin(), name.end(), '\\', '/');
    switch (item_state(item)) {
      case Equal: verdicts[name] = "identical"; break;
      case SizesDiffer: verdicts[name] = "differ"; break;
      case LeftFileOnly: verdicts[name] = "left"; break;
      case RightFileOnly: verdicts[name] = "right"; break;
    }
  }
  compare_list_release(list);
  return verdicts;
}

void expect_agreement(const fs::path& left, const fs::path& right) {
  std::map<std::string, std::string> by_diff = diff_verdicts(left, right);
  std::map<std::string, std::string> ours = compare_verdicts(left, right);
  std::map<std::string, std::string> expected;
  for (const std::string& file : files_below(left)) expected[lower(file)] = "identical";
  for (const std::string& file : files_below(right)) expected[lower(file)] = "identical";
  for (const auto& verdict : by_diff) expected[lower(verdict.first)] = verdict.second;
  EXPECT_EQ(ours.size(), expected.size());
  int disagreements = 0;
  for (const auto& verdict : expected) {
    auto found = ours.find(verdict.first);
    std::string said = found == ours.end() ? "(no item)" : found->second;
    if (said != verdict.second && ++disagreements <= 20) {
      ADD_FAILURE() << verdict.first << ": diff -rq says " << verdict.second << ", the compare " << said;
    }
  }
  EXPECT_EQ(disagreements, 0);
}

// Real edits to a copy: same-size changes (a letter, a year), longer and
// shorter files, CR LF line ends, files and a directory gone or added.
void edit_copy(const fs::path& right, const std::vector<std::string>& files) {
  for (size_t i = 0; i < files.size(); i += 37) {
    fs::path file = right / files[i];
    std::string bytes = read_file(file.string());
    if (bytes.size() < 10) continue;
    switch (i / 37 % 5) {
      case 0: bytes[bytes.size() / 2] = bytes[bytes.size() / 2] == 'x' ? 'y' : 'x'; break;
      case 1: bytes += "// one more line\n"; break;
      case 2: bytes.erase(bytes.size() / 3, 5); break;
      case 3: {
        std::string crlf;
        for (char c : bytes) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        bytes = crlf;
        break;
      }
      case 4: fs::remove(file); continue;
    }
    write_all(file, bytes);
  }
  write_all(right / "added_on_the_right.h", "#define ADDED 1\n");
}

TEST(RealTrees, AgreeWithDiffFileByFile) {
  std::vector<fs::path> trees = real_trees();
  if (trees.empty()) GTEST_SKIP() << "no source tree installed here to compare (/usr/include/c++, /usr/src/googletest)";
  if (std::system("diff --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "GNU diff is not installed";
  for (const fs::path& tree : trees) {
    TempFolder dir;
    fs::path left = native_path(dir.at("l")), right = native_path(dir.at("r"));
    fs::copy(tree, left, fs::copy_options::recursive);
    fs::copy(tree, right, fs::copy_options::recursive);
    std::vector<std::string> files = files_below(right);
    edit_copy(right, files);
    fs::path subdirectory;
    for (const auto& entry : fs::directory_iterator(right)) {
      if (entry.is_directory()) subdirectory = entry.path();
    }
    if (!subdirectory.empty()) fs::remove_all(subdirectory);
    SCOPED_TRACE(tree.string() + ", " + std::to_string(files.size()) + " files");
    expect_agreement(left, right);
    expect_agreement(right, left);
  }
}
}  // namespace
#endif
