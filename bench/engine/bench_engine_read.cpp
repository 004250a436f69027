// Reading a 200 MB file of ordinary source lines into Lines, beside `wc -l`
// on the same file; and the peak memory the Lines take per MB of input.
// The file is made once from the system's C and C++ headers, repeated.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "bench/engine/bench_support.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/source_file.h"

namespace {
constexpr long long target_bytes = 200LL * 1024 * 1024;

bool make_source_file(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && info.st_size >= target_bytes) return true;
  std::string list = path + ".list";
  if (std::system(("find /usr/include -name '*.h' -type f | sort > '" + list + "'").c_str()) != 0) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  long long written = 0;
  while (written < target_bytes) {
    std::ifstream names(list);
    std::string name;
    bool any = false;
    while (written < target_bytes && std::getline(names, name)) {
      std::ifstream in(name, std::ios::binary);
      std::string line;
      while (written < target_bytes && std::getline(in, line)) {
        out << line << '\n';
        written += static_cast<long long>(line.size()) + 1;
        any = true;
      }
    }
    if (!any) return false;
  }
  return static_cast<bool>(out);
}

// Reads the file into Lines once; returns the seconds taken and the line count.
double read_once(const std::string& path, long long* lines_read) {
  double start = now_seconds();
  DirTree* tree = tree_new(path.c_str(), 1);
  SourceFile* file = source_new(tree_first(tree), false);
  BlockList* lines = source_lines(file);
  double took = now_seconds() - start;
  *lines_read = line_number(static_cast<Line*>(list_last(lines)));
  source_release(file);
  tree_release(tree);
  return took;
}
}  // namespace

int main() {
  std::string path = bench_data_dir("engine") + "/source_200mb.txt";
  if (!make_source_file(path)) {
    std::fprintf(stderr, "could not make %s\n", path.c_str());
    return 1;
  }
  if (!engine_start()) return 1;
  double megabytes = target_bytes / (1024.0 * 1024.0);
  time_command("cat '" + path + "' > /dev/null", 1);  // warm the page cache for both
  double wc = time_command("wc -l '" + path + "' > /dev/null", 3);
  double baseline = rss_bytes();
  long long count = 0;
  double best = -1;
  for (int run = 0; run < 3; ++run) {
    double took = read_once(path, &count);
    if (best < 0 || took < best) best = took;
  }
  double peak = peak_rss_bytes();
  std::printf("file: %.0f MB, %lld lines (%.1f bytes a line)\n", megabytes, count, target_bytes / double(count));
  std::printf("wc -l:        %8.3f s  %8.1f MB/s\n", wc, megabytes / wc);
  std::printf("source_lines: %8.3f s  %8.1f MB/s  (%.2f of wc -l; goal at least 0.33)\n", best, megabytes / best,
              wc / best);
  std::printf("peak memory:  %8.1f MB = %.2f MB per MB of input (%.2f above the start; goal at most 3)\n",
              peak / 1048576.0, peak / target_bytes, (peak - baseline) / target_bytes);
  engine_stop();
  return 0;
}
