// heap_alloc / heap_free of small records beside malloc / free and
// calloc / free, in the same run and the same pattern: batches of records
// of 16 to 64 bytes made and freed in a shuffled order, a part kept alive.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/engine/bench_support.h"
#include "twyndle/engine/unit_heap.h"

namespace {
constexpr int batch = 4096, rounds = 2000;

struct Pattern {
  std::vector<int> sizes;
  std::vector<int> free_order;
};

Pattern make_pattern() {
  Pattern pattern;
  unsigned seed = 12345;
  for (int i = 0; i < batch; ++i) {
    seed = seed * 1103515245 + 12345;
    pattern.sizes.push_back(16 + static_cast<int>((seed >> 16) % 49));
    pattern.free_order.push_back(i);
  }
  for (int i = batch - 1; i > 0; --i) {
    seed = seed * 1103515245 + 12345;
    std::swap(pattern.free_order[i], pattern.free_order[(seed >> 16) % (i + 1)]);
  }
  return pattern;
}

template <typename Alloc, typename Free>
double run(const Pattern& pattern, Alloc alloc, Free release, long* checksum) {
  std::vector<void*> held(batch);
  double start = now_seconds();
  for (int r = 0; r < rounds; ++r) {
    for (int i = 0; i < batch; ++i) {
      held[i] = alloc(pattern.sizes[i]);
      static_cast<char*>(held[i])[0] = static_cast<char>(i);
    }
    for (int k = 0; k < batch; ++k) {
      int i = pattern.free_order[k];
      *checksum += static_cast<char*>(held[i])[0];
      release(held[i], pattern.sizes[i]);
    }
  }
  return now_seconds() - start;
}
}  // namespace

int main() {
  Pattern pattern = make_pattern();
  UnitHeap* heap = heap_create();
  if (!heap) return 1;
  long checksum = 0;
  double operations = 2.0 * batch * rounds;
  double ours = run(pattern, [heap](int bytes) { return heap_alloc(heap, bytes); },
                    [heap](void* memory, int bytes) { heap_free(heap, memory, bytes); }, &checksum);
  double with_malloc = run(pattern, [](int bytes) { return std::malloc(bytes); },
                           [](void* memory, int) { std::free(memory); }, &checksum);
  double with_calloc = run(pattern, [](int bytes) { return std::calloc(1, bytes); },
                           [](void* memory, int) { std::free(memory); }, &checksum);
  std::printf("%.0f operations each (checksum %ld)\n", operations, checksum);
  std::printf("heap_alloc/heap_free: %8.1f M ops/s\n", operations / ours / 1e6);
  std::printf("malloc/free:          %8.1f M ops/s  (heap at %.2f of malloc)\n", operations / with_malloc / 1e6,
              with_malloc / ours);
  std::printf("calloc/free:          %8.1f M ops/s  (heap at %.2f of calloc; heap memory is zero-filled too)\n",
              operations / with_calloc / 1e6, with_calloc / ours);
  heap_destroy(heap);
  return 0;
}
