// Reading a 200 MB file of ordinary source lines into Lines, beside `wc -l`
// on the same file; and the peak memory the Lines take per MB of input.
// The file is made once from the system's C and C++ headers, repeated.
// Two floors are measured in the same run, to show where the time goes:
// cutting the file at its LFs in the reader's 64 KB reads without keeping
// anything, and the same while copying every line into fresh blocks laid
// out as the Line items are (the page faults of new memory included).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/engine/bench_support.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/list_memory.h"
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
// Fresh list-sized blocks that line copies are carved from, as the lists do.
class CopyBlocks {
 public:
  ~CopyBlocks() {
    for (char* block : blocks_) std::free(block);
  }
  void keep(const char* bytes, size_t length) {
    size_t item = (sizeof(ListItemHeader) + sizeof(Line) + length + 1 + 7) / 8 * 8;
    if (blocks_.empty() || used_ + item > list_block_data_bytes) {
      blocks_.push_back(static_cast<char*>(std::malloc(list_block_bytes)));
      used_ = sizeof(ListBlock);
    }
    char* at = blocks_.back() + used_;
    std::memset(at, 0, sizeof(ListItemHeader) + sizeof(Line));
    std::memcpy(at + sizeof(ListItemHeader) + sizeof(Line), bytes, length);
    at[item - 1] = '\0';
    used_ += item;
  }

 private:
  std::vector<char*> blocks_;
  size_t used_ = 0;
};

// Cuts the file at its LFs in 64 KB reads, copying each line when `copy`
// is set; returns the seconds taken (the copies freed after the clock).
double cut_once(const std::string& path, bool copy) {
  double start = now_seconds();
  int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return -1;
  std::vector<char> buffer(65536);
  CopyBlocks* blocks = copy ? new CopyBlocks : nullptr;
  size_t kept = 0;
  for (ssize_t got; (got = read(fd, buffer.data() + kept, buffer.size() - kept)) > 0;) {
    const char* cursor = buffer.data();
    const char* end = cursor + kept + got;
    while (const void* lf = std::memchr(cursor, '\n', end - cursor)) {
      const char* stop = static_cast<const char*>(lf) + 1;
      if (blocks) blocks->keep(cursor, stop - cursor);
      cursor = stop;
    }
    kept = end - cursor;
    std::memmove(buffer.data(), cursor, kept);
  }
  close(fd);
  double took = now_seconds() - start;
  delete blocks;
  return took;
}

double best_cut(const std::string& path, bool copy) {
  double best = -1;
  for (int run = 0; run < 3; ++run) {
    double took = cut_once(path, copy);
    if (best < 0 || took < best) best = took;
  }
  return best;
}
}  // namespace

int main() {
  std::string path = bench_data("engine", "source_200mb.txt", make_source_file);
  if (path.empty() || !engine_start()) return 1;
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
  double cut = best_cut(path, false);
  double cut_copy = best_cut(path, true);
  std::printf("file: %.0f MB, %lld lines (%.1f bytes a line)\n", megabytes, count, target_bytes / double(count));
  std::printf("wc -l:        %8.3f s  %8.1f MB/s\n", wc, megabytes / wc);
  std::printf("source_lines: %8.3f s  %8.1f MB/s  (%.2f of wc -l; goal at least 0.33)\n", best, megabytes / best,
              wc / best);
  std::printf("floor, cutting at LFs alone:            %8.3f s  (%.2f of wc -l)\n", cut, wc / cut);
  std::printf("floor, cutting and copying into blocks: %8.3f s  (%.2f of wc -l)\n", cut_copy, wc / cut_copy);
  std::printf("peak memory:  %8.1f MB = %.2f MB per MB of input (%.2f above the start; goal at most 3)\n",
              peak / 1048576.0, peak / target_bytes, (peak - baseline) / target_bytes);
  engine_stop();
  return 0;
}
