// The matcher and the pairing of two trees, each beside its reference
// measured in the same run:
// - compute_sections on two 200,000-line source-like files (1% of the lines
//   changed, a few blocks moved) beside GNU diff on the same files;
// - the worst cases at 50,000, 100,000 and 200,000 lines, with the growth
//   exponent of each;
// - the share of the longest common subsequence (GNU diff --minimal) that
//   the matcher shows as Equal, for ordinary edits without moved blocks;
// - pairing two trees of 50,000 files each beside find listing both, and
//   the same pairing run a second time in one process beside the first;
// - pairing two trees of 50,000 files whose pairs all have equal sizes,
//   with and without comparing their bytes, beside GNU diff -rq.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>

#include "bench/compare/bench_texts.h"
#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/source_file.h"

namespace {
namespace fs = std::filesystem;

struct Timing {
  double with_reading = 1e30;  // seconds, the files read by the matcher
  double matching = 1e30;      // seconds, the Lines already read
  long equal_lines = 0;
};

long equal_lines(BlockList* composite) {
  long count = 0;
  for (Section* s = section_list_first(composite); s; s = section_next(s)) {
    if (s->state == Equal) count += section_line_count(s);
  }
  return count;
}

// One compare of two files, on a fresh engine heap as in a fresh process;
// `preread` reads both files before the clock starts.
double timed_compare(const std::string& left_path, const std::string& right_path, bool preread, long* equal) {
  engine_start();
  DirTree* left = tree_new(left_path.c_str(), 1);
  DirTree* right = tree_new(right_path.c_str(), 1);
  CompareItem* item = item_new(tree_first(left), tree_first(right), nullptr, true);
  if (preread) {
    source_lines(item_left_file(item));
    source_lines(item_right_file(item));
  }
  double start = now_seconds();
  BlockList* composite = composite_sections(item);
  double took = now_seconds() - start;
  *equal = equal_lines(composite);
  item_release(item);
  tree_release(left);
  tree_release(right);
  engine_stop();
  return took;
}

Timing time_pair(const std::string& dir, const Texts& left_texts, const Texts& right_texts, int runs) {
  std::string left = dir + "/left.txt", right = dir + "/right.txt";
  write_texts(left, left_texts);
  write_texts(right, right_texts);
  Timing timing;
  for (int run = 0; run < runs; ++run) {
    timing.with_reading = std::min(timing.with_reading, timed_compare(left, right, false, &timing.equal_lines));
    timing.matching = std::min(timing.matching, timed_compare(left, right, true, &timing.equal_lines));
  }
  return timing;
}

void ordinary_against_diff(const std::string& dir) {
  std::mt19937 random(2024);
  Texts left = source_text(random, 200000);
  Texts right = moved_blocks(changed_lines(left, random, 1.0), random, 5);
  Timing ours = time_pair(dir, left, right, 5);
  double diff = command_seconds("diff " + dir + "/left.txt " + dir + "/right.txt >/dev/null", 5);
  std::printf("matcher, 200,000 source lines, 1%% changed, 5 blocks moved:\n");
  std::printf("  compute_sections %.1f ms with reading the files, %.1f ms on Lines already read\n",
              ours.with_reading * 1000, ours.matching * 1000);
  std::printf("  reference GNU diff %.1f ms; ratio %.2f with reading (goal: at most 2)\n", diff * 1000,
              ours.with_reading / diff);
}

void worst_cases(const std::string& dir) {
  struct Case {
    const char* name;
    Texts (*make)(std::mt19937&, int, Texts*);
  };
  static const Case cases[] = {
      {"100 distinct texts against a shuffled copy",
       [](std::mt19937& r, int n, Texts* right) { Texts t = few_texts(r, n, 100); *right = shuffled(t, r); return t; }},
      {"a file against its reverse",
       [](std::mt19937& r, int n, Texts* right) { Texts t = source_text(r, n); *right = reversed(t); return t; }},
      {"every other line changed",
       [](std::mt19937& r, int n, Texts* right) { Texts t = source_text(r, n); *right = every_nth_changed(t, 2); return t; }},
      {"every line changed",
       [](std::mt19937& r, int n, Texts* right) { Texts t = source_text(r, n); *right = every_nth_changed(t, 1); return t; }},
  };
  std::printf("worst cases, compute_sections with reading (ms at 50,000 / 100,000 / 200,000 lines; growth exponent):\n");
  for (const Case& c : cases) {
    double ms[3];
    int sizes[3] = {50000, 100000, 200000};
    for (int i = 0; i < 3; ++i) {
      std::mt19937 random(77 + i);
      Texts right;
      Texts left = c.make(random, sizes[i], &right);
      ms[i] = time_pair(dir, left, right, 2).with_reading * 1000;
    }
    double exponent = std::log(ms[2] / ms[0]) / std::log(4.0);
    std::printf("  %-45s %8.1f %8.1f %8.1f   n^%.2f\n", c.name, ms[0], ms[1], ms[2], exponent);
  }
}

void equal_share_of_lcs(const std::string& dir) {
  long ours = 0, lcs = 0;
  for (int seed = 1; seed <= 5; ++seed) {
    std::mt19937 random(seed);
    Texts left = source_text(random, 20000);
    Texts right = ordinary_edits(left, random, 400);
    ours += time_pair(dir, left, right, 1).equal_lines;
    std::string removed =
        command_output("diff --minimal " + dir + "/left.txt " + dir + "/right.txt | grep -c '^<'");
    lcs += static_cast<long>(left.size()) - std::stol(removed.empty() ? "0" : removed);
  }
  std::printf("ordinary edits (5 pairs of 20,000 lines, 400 edits each, nothing moved):\n");
  std::printf("  lines shown Equal %ld of the longest common subsequence %ld (GNU diff --minimal): %.4f\n", ours,
              lcs, static_cast<double>(ours) / lcs);
}

// Two trees of 500 directories with 100 files each; a tenth of the names
// differ between the sides.
void make_tree(const std::string& root, char side) {
  for (int d = 0; d < 500; ++d) {
    std::string directory = root + "/dir" + std::to_string(d);
    fs::create_directories(directory);
    for (int f = 0; f < 100; ++f) {
      std::string name = (f % 10 == 0 ? std::string(1, side) : std::string("f")) + std::to_string(f) + ".c";
      std::FILE* file = std::fopen((directory + "/" + name).c_str(), "wb");
      if (file) std::fclose(file);
    }
  }
}

// Walks both trees with tree_first / tree_next alone: what pairing costs
// beyond listing the two trees.
double walking_both(const std::string& dir) {
  double start = now_seconds();
  for (const char* side : {"/l", "/r"}) {
    DirTree* tree = tree_new((dir + side).c_str(), 1);
    for (DirEntry* entry = tree_first(tree); entry; entry = tree_next(tree, entry, 1)) {
    }
    tree_release(tree);
  }
  return now_seconds() - start;
}

void pairing_against_find(const std::string& dir) {
  make_tree(dir + "/l", 'l');
  make_tree(dir + "/r", 'r');
  std::string trees = dir + "/l " + dir + "/r";
  double listing = command_seconds("find " + trees + " >/dev/null", 3);
  double listing_sizes = command_seconds("find " + trees + " -printf '%s %p\\n' >/dev/null", 3);
  double walk = 1e30, pairing = 1e30;
  int32_t items = 0;
  for (int run = 0; run < 3; ++run) {
    // Each on a fresh engine heap, as in a fresh process.
    engine_start();
    walk = std::min(walk, walking_both(dir));
    engine_stop();
    engine_start();
    double start = now_seconds();
    CompareList* list = compare_paths((dir + "/l").c_str(), (dir + "/r").c_str(), nullptr, 1);
    pairing = std::min(pairing, now_seconds() - start);
    items = 0;
    for (void* item = list_first(compare_list_items(list)); item; item = list_next(item)) ++items;
    compare_list_release(list);
    engine_stop();
  }
  std::printf("pairing two trees of 50,000 files (%d items): compare_paths %.1f ms\n", items, pairing * 1000);
  std::printf("  reference find over both trees %.1f ms: ratio %.2f (goal: at most 2)\n", listing * 1000,
              pairing / listing);
  std::printf("  reference find with sizes (-printf %%s, a stat per file like the scan) %.1f ms: ratio %.2f\n",
              listing_sizes * 1000, pairing / listing_sizes);
  std::printf("  the engine's own walk of both trees (tree_first/tree_next) %.1f ms: ratio %.2f\n", walk * 1000,
              pairing / walk);
}

// The same compare run again in one process: the heap then holds many
// emptied segments, and finding room in them must cost no more than in a
// fresh heap.
void second_compare_in_one_process(const std::string& dir) {
  std::string left = dir + "/l", right = dir + "/r";
  double first = 1e30, second = 1e30;
  for (int run = 0; run < 3; ++run) {
    engine_start();
    for (double* best : {&first, &second}) {
      double start = now_seconds();
      CompareList* list = compare_paths(left.c_str(), right.c_str(), nullptr, 1);
      *best = std::min(*best, now_seconds() - start);
      compare_list_release(list);
    }
    engine_stop();
  }
  std::printf("the same pairing twice in one process: first %.1f ms, second %.1f ms (ratio %.2f; goal about 1)\n",
              first * 1000, second * 1000, second / first);
}
// Two trees of 100 directories with 500 files of 200 to 2,200 bytes each;
// every pair has one size, and one pair in a hundred differs in one byte.
// Returns the number of pairs made to differ.
int make_equal_size_trees(const std::string& left, const std::string& right) {
  std::mt19937 random(50000);
  int changed = 0;
  std::string bytes;
  for (int d = 0; d < 100; ++d) {
    std::string sub = "/dir" + std::to_string(d);
    fs::create_directories(left + sub);
    fs::create_directories(right + sub);
    for (int f = 0; f < 500; ++f) {
      bytes.resize(200 + random() % 2001);
      for (char& c : bytes) c = static_cast<char>('a' + random() % 26);
      std::string name = sub + "/f" + std::to_string(f) + ".c";
      for (const std::string* root : {&left, &right}) {
        if (root == &right && random() % 100 == 0) {
          bytes[random() % bytes.size()] = '#';
          ++changed;
        }
        std::FILE* file = std::fopen((*root + name).c_str(), "wb");
        if (!file) continue;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
      }
    }
  }
  return changed;
}

// Best of three compare_paths, each on a fresh engine heap; counts the
// pairs found to differ.
double timed_pairing(const std::string& left, const std::string& right, int* differing) {
  double best = 1e30;
  for (int run = 0; run < 3; ++run) {
    engine_start();
    double start = now_seconds();
    CompareList* list = compare_paths(left.c_str(), right.c_str(), nullptr, 1);
    best = std::min(best, now_seconds() - start);
    *differing = 0;
    for (void* item = list_first(compare_list_items(list)); item; item = list_next(item)) {
      if (item_state(static_cast<CompareItem*>(item)) != Equal) ++*differing;
    }
    compare_list_release(list);
    engine_stop();
  }
  return best;
}

void content_check_against_diff(const std::string& dir) {
  std::string left = dir + "/same_l", right = dir + "/same_r";
  int changed = make_equal_size_trees(left, right);
  int differing = 0;
  program.check_contents = 0;
  double sizes_only = timed_pairing(left, right, &differing);
  int differing_by_size = differing;
  program.check_contents = 1;
  double with_check = timed_pairing(left, right, &differing);
  double diff = command_seconds("diff -rq " + left + " " + right + " >/dev/null", 3);
  std::string diff_count = command_output("diff -rq " + left + " " + right + " | wc -l");
  std::printf("pairing two trees of 50,000 files of equal sizes (%d pairs made to differ in one byte):\n", changed);
  std::printf("  sizes alone (check off)  %8.1f ms, %d pairs found differing\n", sizes_only * 1000,
              differing_by_size);
  std::printf("  with the content check   %8.1f ms, %d pairs found differing (GNU diff -rq: %s)\n",
              with_check * 1000, differing, diff_count.c_str());
  std::printf("  reference GNU diff -rq   %8.1f ms: ratio %.2f (the check costs %.1f ms, %.2f of diff -rq)\n",
              diff * 1000, with_check / diff, (with_check - sizes_only) * 1000, (with_check - sizes_only) / diff);
}
}  // namespace

int main() {
  std::string dir = (fs::temp_directory_path() / ("bench_compare_" + std::to_string(::getpid()))).string();
  fs::create_directories(dir);
  pairing_against_find(dir);
  second_compare_in_one_process(dir);
  content_check_against_diff(dir);
  ordinary_against_diff(dir);
  worst_cases(dir);
  equal_share_of_lcs(dir);
  fs::remove_all(dir);
  return 0;
}
