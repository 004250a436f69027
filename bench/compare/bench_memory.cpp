// Peak memory of a compare per MiB of input, beside GNU diff's on the same
// pair in the same run. Each compare runs as a process of its own
// (twyndle-compare, which reads both files, matches them and prints the
// sections, as the program does for two files) and its peak resident size
// is taken from the kernel when it ends. Two pairs of 2,000,000 source-like
// lines: ordinary edits (2,000 lines inserted, deleted or changed), and a
// file against its reverse, the worst case for the matcher's memory.
//
// The native twyndle-compare is a 64-bit program, whose records carry
// 8-byte pointers; the 32-bit twyndle-compare.exe of the win32 tree is
// measured too when it is there, under Wine, with the Wine process's own
// size (two empty files compared) taken off.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/compare/bench_texts.h"

namespace {
namespace fs = std::filesystem;

constexpr double mib = 1024.0 * 1024.0;

// The peak resident size of a command in MiB, its output thrown away; -1
// when it could not run or failed.
double peak_mib(const std::vector<std::string>& command) {
  pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (wait4(child, &status, 0, &usage) != child) return -1;
  // diff ends with 1 when the files differ.
  if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) return -1;
  return usage.ru_maxrss / 1024.0;
}

std::string this_program_folder() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

struct Pair {
  const char* name;
  std::string left;
  std::string right;
  double input_mib;
};

Pair write_pair(const std::string& dir, const char* name, const Texts& left, const Texts& right) {
  Pair pair{name, dir + "/" + name + ".left", dir + "/" + name + ".right", 0};
  write_texts(pair.left, left);
  write_texts(pair.right, right);
  pair.input_mib = (fs::file_size(pair.left) + fs::file_size(pair.right)) / mib;
  return pair;
}

void report(const Pair& pair, const std::string& ours, const std::string& wine_run, const std::string& ours_32,
            double wine_itself) {
  double twyndle = peak_mib({ours, pair.left, pair.right});
  double diff = peak_mib({"diff", pair.left, pair.right});
  std::printf("%s (%.1f MiB of input):\n", pair.name, pair.input_mib);
  std::printf("  twyndle-compare (64-bit) peak %.1f MiB: %.2f MiB per MiB of input\n", twyndle,
              twyndle / pair.input_mib);
  if (!ours_32.empty() && wine_itself > 0) {
    double whole = peak_mib({wine_run, ours_32, pair.left, pair.right});
    std::printf("  twyndle-compare.exe (32-bit, under Wine) peak %.1f MiB, %.1f MiB beyond Wine's own: "
                "%.2f MiB per MiB of input\n",
                whole, whole - wine_itself, (whole - wine_itself) / pair.input_mib);
  }
  std::printf("  reference GNU diff peak %.1f MiB: %.2f MiB per MiB of input (goal for ordinary edits: "
              "twyndle at most 3)\n",
              diff, diff / pair.input_mib);
}
}  // namespace

int main() {
  std::string dir = (fs::temp_directory_path() / ("bench_memory_" + std::to_string(::getpid()))).string();
  fs::create_directories(dir);
  std::string ours = this_program_folder() + "/twyndle-compare";
  std::string ours_32 = this_program_folder() + "/../../win32/bin/twyndle-compare.exe";
  std::string wine_run = std::string(TARNWICK_SOURCE_DIR) + "/cmake/wine-run";
  if (!fs::exists(ours_32)) ours_32.clear();

  double wine_itself = -1;
  if (!ours_32.empty()) {
    Pair empty = write_pair(dir, "empty", Texts{}, Texts{});
    wine_itself = peak_mib({wine_run, ours_32, empty.left, empty.right});
  }
  std::mt19937 random(11);
  Texts left = source_text(random, 2000000);
  Pair edits = write_pair(dir, "ordinary-edits", left, ordinary_edits(left, random, 2000));
  report(edits, ours, wine_run, ours_32, wine_itself);
  Pair reverse = write_pair(dir, "reversed", left, reversed(left));
  report(reverse, ours, wine_run, ours_32, wine_itself);
  if (ours_32.empty()) std::printf("(the win32 tree's twyndle-compare.exe is not built: no 32-bit figure)\n");
  fs::remove_all(dir);
  return 0;
}
