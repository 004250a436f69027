// Walking a tree of 100,000 files in 10,000 directories with tree_first and
// tree_next, beside `find` listing the same tree. The tree is made once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "bench/engine/bench_support.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/engine_memory.h"

namespace {
constexpr int top_dirs = 100, sub_dirs = 99, files_per_dir = 10;  // 100 + 9,900 directories

bool make_tree(const std::string& root) {
  std::string done = root + "/.complete";
  if (access(done.c_str(), F_OK) == 0) return true;
  mkdir(root.c_str(), 0777);
  auto make_files = [](const std::string& dir) {
    for (int f = 0; f < files_per_dir; ++f) {
      std::string name = dir + "/file" + std::to_string(f) + ".c";
      int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      if (fd < 0) return false;
      if (write(fd, name.data(), name.size() % 61) < 0) return false;
      close(fd);
    }
    return true;
  };
  for (int t = 0; t < top_dirs; ++t) {
    std::string top = root + "/dir" + std::to_string(t);
    mkdir(top.c_str(), 0777);
    if (!make_files(top)) return false;
    for (int s = 0; s < sub_dirs; ++s) {
      std::string sub = top + "/sub" + std::to_string(s);
      mkdir(sub.c_str(), 0777);
      if (!make_files(sub)) return false;
    }
  }
  int fd = open(done.c_str(), O_WRONLY | O_CREAT, 0666);
  if (fd < 0) return false;
  close(fd);
  return true;
}

// One compare's walk in a process of its own: a fresh engine heap.
double walk_once(const std::string& root, long* files) {
  engine_stop();
  if (!engine_start()) return -1;
  double start = now_seconds();
  DirTree* tree = tree_new(root.c_str(), 1);
  long count = 0;
  for (DirEntry* entry = tree_first(tree); entry; entry = tree_next(tree, entry, 1)) ++count;
  tree_release(tree);
  *files = count;
  return now_seconds() - start;
}
}  // namespace

int main() {
  std::string root = bench_data("engine", "tree_100k", make_tree);
  if (root.empty() || !engine_start()) return 1;
  long files = 0;
  walk_once(root, &files);  // warm the directory cache for both
  double find = time_command("find '" + root + "' > /dev/null", 5);
  double best = -1;
  for (int run = 0; run < 5; ++run) {
    double took = walk_once(root, &files);
    if (best < 0 || took < best) best = took;
  }
  std::printf("tree: %ld files (the marker file included) in %d directories\n", files, top_dirs * (1 + sub_dirs));
  std::printf("find:               %8.3f s\n", find);
  std::printf("tree_first/next:    %8.3f s  (%.2f of find; goal at most 2)\n", best, best / find);
  engine_stop();
  return 0;
}
