#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
std::string relative(const DirEntry* entry) {
  char* name = entry_relative_name(entry);
  std::string copy = name ? name : "";
  text_free(name);
  return copy;
}

std::string full(const DirEntry* entry) {
  char* path = entry_full_path(entry);
  std::string copy = path ? path : "";
  entry_free_path(entry, path);
  return copy;
}

std::vector<std::string> walk(DirTree* tree, int32_t recursive = 1) {
  std::vector<std::string> names;
  for (DirEntry* entry = tree_first(tree); entry; entry = tree_next(tree, entry, recursive)) {
    names.push_back(relative(entry));
  }
  return names;
}

// Each test scans a fresh folder of its own.
class InFolder : public testing::Test {
 protected:
  TempFolder dir;
};
class TreeWalk : public InFolder {};
class TreeScan : public InFolder {};
class TreeRoots : public InFolder {};
class TreeEntries : public InFolder {};

struct Tree {
  explicit Tree(const std::string& path, int32_t lazy = 1) : tree(tree_new(path.c_str(), lazy)) {}
  ~Tree() { tree_release(tree); }
  DirTree* tree;
};

TEST_F(TreeWalk, VisitsFilesBeforeSubdirectoriesInSortedOrder) {
  for (const char* name : {"z.c", "a\\x.c", "sub\\b.c", "sub\\deeper\\d.c", "B.C"}) dir.write(name, "x");
  Tree t(dir.path());
  ASSERT_NE(t.tree, nullptr);
  EXPECT_FALSE(tree_is_file(t.tree));
  EXPECT_EQ(walk(t.tree), (std::vector<std::string>{".\\b.c", ".\\z.c", ".\\a\\x.c", ".\\sub\\b.c",
                                                    ".\\sub\\deeper\\d.c"}));
  EXPECT_EQ(walk(t.tree), walk(t.tree)) << "a walk can be started again";
}

TEST_F(TreeWalk, WithoutRecursionTheWalkEndsWithTheDirectory) {
  dir.write("a.c", "a");
  dir.write("sub\\b.c", "b");
  Tree t(dir.path());
  EXPECT_EQ(walk(t.tree, 1), (std::vector<std::string>{".\\a.c", ".\\sub\\b.c"}));
  EXPECT_EQ(walk(t.tree, 0), (std::vector<std::string>{".\\a.c"}));
}

TEST_F(TreeWalk, TheFirstFileMayLieInASubdirectory) {
  dir.make_folder("empty\\also_empty");
  dir.write("one\\f.c", "f");
  dir.write("one\\g.c", "g");
  dir.write("two\\h.c", "h");
  Tree t(dir.path());
  DirEntry* first = tree_first(t.tree);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(relative(first), ".\\one\\f.c");
  EXPECT_EQ(walk(t.tree, 0), (std::vector<std::string>{".\\one\\f.c", ".\\one\\g.c"}));
  EXPECT_EQ(walk(t.tree, 1).size(), 3u);
}

TEST_F(TreeWalk, EmptyTreesHaveNoFiles) {
  dir.make_folder("x\\y\\z");
  Tree t(dir.path());
  ASSERT_NE(t.tree, nullptr);
  EXPECT_EQ(tree_first(t.tree), nullptr);
  EXPECT_EQ(tree_first(nullptr), nullptr);
  EXPECT_EQ(tree_next(nullptr, nullptr, 1), nullptr);
}

TEST_F(TreeWalk, StopsWhenAnAbortIsRequested) {
  dir.write("a.c", "a");
  dir.write("b.c", "b");
  Tree t(dir.path());
  DirEntry* first = tree_first(t.tree);
  program.abort_requested = 1;
  EXPECT_EQ(tree_next(t.tree, first, 1), nullptr);
  program.abort_requested = 0;
  EXPECT_NE(tree_next(t.tree, first, 1), nullptr);
}

TEST_F(TreeScan, LowerCasesNamesAndRecordsSizes) {
  dir.write("Sub\\MiXeD.TxT", "1234567");
  dir.write(".hidden", "");
  Tree t(dir.path());
  std::vector<std::string> names = walk(t.tree);
  EXPECT_EQ(names, (std::vector<std::string>{".\\.hidden", ".\\sub\\mixed.txt"}));
  DirEntry* entry = tree_next(t.tree, tree_first(t.tree), 1);
  EXPECT_EQ(entry_size(entry), 7u);
  EXPECT_STREQ(entry_name(entry), "mixed.txt");
  EXPECT_EQ(entry_tree(entry), t.tree);
  EXPECT_TRUE(path_is_file(full(entry).c_str())) << "the lower-cased name still opens the file";
}

TEST_F(TreeScan, ManyFilesInOneDirectoryComeOutSorted) {
  std::vector<std::string> made;
  for (int i = 0; i < 3000; ++i) made.push_back("f" + std::to_string(i * 7919 % 3001) + ".c");
  std::shuffle(made.begin(), made.end(), std::mt19937(7));
  for (const std::string& name : made) dir.write(name, "");
  Tree t(dir.path());
  std::vector<std::string> names = walk(t.tree);
  ASSERT_EQ(names.size(), made.size());
  for (size_t i = 1; i < names.size(); ++i) ASSERT_LT(path_compare(names[i - 1].c_str(), names[i].c_str()), 0);
}

TEST_F(TreeScan, DeepTreesAreWalkedAndReleased) {
#ifdef _WIN32
  const int depth = 40;  // ANSI paths stop at 260 bytes
#else
  const int depth = 400;
#endif
  std::string relative_dir;
  for (int i = 0; i < depth; ++i) relative_dir += (i ? "\\d" : "d");
  dir.make_folder(relative_dir);
  dir.write(relative_dir + "\\bottom.c", "deep");
  Tree t(dir.path());
  DirEntry* entry = tree_first(t.tree);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(relative(entry), ".\\" + relative_dir + "\\bottom.c");
  EXPECT_EQ(tree_next(t.tree, entry, 1), nullptr);
}

TEST_F(TreeScan, ADirectoryThatVanishedBeforeTheWalkIsEmpty) {
  dir.write("gone\\x.c", "x");
  dir.write("kept\\y.c", "y");
  Tree t(dir.path());
  std::error_code ignored;
  std::filesystem::remove_all(native_path(dir.at("gone")), ignored);
  EXPECT_EQ(walk(t.tree), (std::vector<std::string>{".\\kept\\y.c"}));
}

TEST_F(TreeScan, AnEagerScanListsEverythingAtOnce) {
  dir.write("sub\\late.c", "x");
  Tree eager(dir.path(), 0);
  Tree lazy(dir.path(), 1);
  dir.remove("sub\\late.c");
  EXPECT_EQ(walk(eager.tree), (std::vector<std::string>{".\\sub\\late.c"}));
  EXPECT_TRUE(walk(lazy.tree).empty());
}

TEST_F(TreeRoots, RefusesPathsThatAreNeitherFileNorDirectory) {
  EXPECT_EQ(tree_new(dir.at("missing").c_str(), 1), nullptr);
  EXPECT_EQ(tree_new(nullptr, 1), nullptr);
  EXPECT_EQ(tree_new("", 1), nullptr);
}

TEST_F(TreeRoots, ARootTooLongForTheRecordIsRefusedNotCut) {
  std::string relative_dir = std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\" + std::string(60, 'c');
  std::error_code error;
  std::filesystem::create_directories(native_path(dir.at(relative_dir)), error);
  if (error) GTEST_SKIP() << "the platform cannot make a path this long";
  std::string too_long = dir.at(relative_dir);
  ASSERT_GE(too_long.size(), dir_tree_path_bytes);
  EXPECT_EQ(tree_new(too_long.c_str(), 1), nullptr);
  if (!path_is_directory(too_long.c_str())) GTEST_SKIP() << "the platform's ANSI calls cannot reach it";
  std::string cut = too_long.substr(0, dir_tree_path_bytes - 1);
  if (path_is_directory(cut.c_str())) {
    Tree fits(cut);
    EXPECT_NE(fits.tree, nullptr) << "255 bytes still fit";
  }
}

TEST_F(TreeRoots, TrailingBackslashGivesTheSameFullPaths) {
  dir.write("sub\\x.c", "x");
  dir.write("top.c", "t");
  Tree plain(dir.path());
  Tree trailing(dir.path() + "\\");
  ASSERT_TRUE(plain.tree && trailing.tree);
  DirEntry* a = tree_first(plain.tree);
  DirEntry* b = tree_first(trailing.tree);
  EXPECT_EQ(full(a), dir.at("top.c"));
  EXPECT_EQ(full(a), full(b));
  EXPECT_EQ(full(tree_next(plain.tree, a, 1)), dir.at("sub\\x.c"));
  EXPECT_EQ(full(tree_next(trailing.tree, b, 1)), dir.at("sub\\x.c"));
  EXPECT_STREQ(tree_root_path(trailing.tree), (dir.path() + "\\").c_str());
}

TEST_F(TreeRoots, ASingleFileRootIsOneEntry) {
  std::string path = dir.write("One.C", "hello\n");
  Tree t(path);
  ASSERT_NE(t.tree, nullptr);
  EXPECT_TRUE(tree_is_file(t.tree));
  DirEntry* entry = tree_first(t.tree);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(relative(entry), ".\\One.C") << "a file root keeps its name as given";
  EXPECT_EQ(entry_size(entry), 6u);
  char* own = entry_full_path(entry);
  EXPECT_EQ(own, t.tree->path) << "the tree's own path, not a copy";
  entry_free_path(entry, own);
  EXPECT_EQ(tree_next(t.tree, entry, 1), nullptr);
  FsFile* file = entry_open_read(entry);
  EXPECT_NE(file, nullptr);
  fs_close(file);
}

TEST_F(TreeEntries, OpeningAVanishedFileGivesNone) {
  dir.write("v.c", "v");
  Tree t(dir.path());
  DirEntry* entry = tree_first(t.tree);
  dir.remove("v.c");
  EXPECT_EQ(entry_open_read(entry), nullptr);
  EXPECT_EQ(entry_open_read(nullptr), nullptr);
  EXPECT_EQ(entry_relative_name(nullptr), nullptr);
  EXPECT_EQ(entry_full_path(nullptr), nullptr);
  EXPECT_EQ(entry_size(nullptr), 0u);
}

TEST_F(TreeWalk, ListsNamesInPathOrderWithHighBytesAndPrefixes) {
  std::vector<std::string> names = {"a", "a\xE9", "ab", "a0", "\xE9t\xE9", "b", "a-b", "aa", "_x", "~y"};
  for (char c = 'c'; c <= 'z'; ++c) {  // a name, and the same with a high byte after it
    names.push_back(std::string(1, c));
    names.push_back(std::string(1, c) + static_cast<char>(0x80 + c));
  }
  for (const std::string& name : names) dir.write(name, "");
  dir.make_folder("a0d");
  dir.make_folder("aad");
  dir.make_folder("\xE9" "d");
  for (const char* inner : {"a0d\\f", "aad\\f", "\xE9" "d\\f"}) dir.write(inner, "");
  Tree t(dir.path());
  std::vector<std::string> walked = walk(t.tree);
  ASSERT_EQ(walked.size(), names.size() + 3);
  EXPECT_TRUE(std::is_sorted(walked.begin(), walked.end(), [](const std::string& a, const std::string& b) {
    return path_compare(a.c_str(), b.c_str()) < 0;
  })) << testing::PrintToString(walked);
}

TEST_F(TreeEntries, SizesAreRightHoweverAndWheneverTheyAreAsked) {
  TempFolder left, right;
  std::vector<std::pair<std::string, std::string>> files = {
      {"r.c", "1234"}, {"Mixed.C", "12345"}, {"a\\x.c", "1"}, {"a\\Y.c", "12"}, {"b\\z.c", "123"},
      {"b\\deep\\e.txt", ""}, {"b\\deep\\w.txt", std::string(70000, 'w')}};
  for (const TempFolder* root : {&left, &right}) {
    for (const auto& [name, bytes] : files) root->write(name, root == &left ? bytes : bytes + "+");
  }
  Tree l(left.path()), r(right.path());
  std::vector<DirEntry*> lefts, rights;
  for (DirEntry* e = tree_first(l.tree); e; e = tree_next(l.tree, e, 1)) lefts.push_back(e);
  for (DirEntry* e = tree_first(r.tree); e; e = tree_next(r.tree, e, 1)) rights.push_back(e);
  ASSERT_EQ(lefts.size(), files.size());
  ASSERT_EQ(rights.size(), files.size());
  auto expected = [&files](const DirEntry* entry, size_t extra) {
    std::string wanted = relative(entry).substr(2);
    for (const auto& [name, bytes] : files) {
      std::string lower = name;
      std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
      if (lower == wanted) return static_cast<uint32_t>(bytes.size() + extra);
    }
    return 0xFFFFFFFFu;
  };
  for (size_t i = lefts.size(); i-- > 0;) {  // backwards, the two trees in turn
    EXPECT_EQ(entry_size(lefts[i]), expected(lefts[i], 0)) << relative(lefts[i]);
    EXPECT_EQ(entry_size(rights[i]), expected(rights[i], 1)) << relative(rights[i]);
  }
  auto r_c = std::find_if(lefts.begin(), lefts.end(), [](const DirEntry* e) { return relative(e) == ".\\r.c"; });
  ASSERT_NE(r_c, lefts.end());
  left.write("r.c", "a longer text than before");
  EXPECT_EQ(entry_size(*r_c), 4u) << "a size once read stays";
}

TEST_F(TreeEntries, SizesPast4GiBAreKeptWhole) {
  if (sparse_file(dir, "big.bin", (uint64_t{1} << 32) + 3).empty()) GTEST_SKIP() << "no sparse 4 GiB file here";
  dir.write("small.bin", "abc");
  Tree t(dir.path());
  DirEntry* big = tree_first(t.tree);
  DirEntry* small = tree_next(t.tree, big, 1);
  EXPECT_EQ(entry_size(big), (uint64_t{1} << 32) + 3);
  EXPECT_EQ(entry_size(small), 3u);
  EXPECT_EQ(path_file_size(dir.at("big.bin").c_str()), (uint64_t{1} << 32) + 3);
  Tree single(dir.at("big.bin"));
  EXPECT_EQ(entry_size(tree_first(single.tree)), (uint64_t{1} << 32) + 3) << "a single-file root too";
}
}  // namespace
