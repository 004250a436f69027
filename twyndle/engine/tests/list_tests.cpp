#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/list_memory.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
// Counts the blocks that are out, on top of the platform's memory.
std::atomic<int> blocks_out{0};
const SystemMemory counting = {
    [](uint32_t bytes, bool zero_fill) -> void* {
      void* memory = system_memory_default().alloc(bytes, zero_fill);
      if (memory) blocks_out += 1;
      return memory;
    },
    [](void* memory) {
      blocks_out -= 1;
      system_memory_default().release(memory);
    },
};

class CountedBlocks {
 public:
  CountedBlocks() {
    blocks_out = 0;
    system_memory_install(&counting);
  }
  ~CountedBlocks() { system_memory_install(nullptr); }
};

std::vector<int> values(BlockList* list) {
  std::vector<int> seen;
  for (auto* item = static_cast<int*>(list_first(list)); item; item = static_cast<int*>(list_next(item))) {
    seen.push_back(*item);
  }
  return seen;
}

std::vector<int> values_backwards(BlockList* list) {
  std::vector<int> seen;
  for (auto* item = static_cast<int*>(list_last(list)); item; item = static_cast<int*>(list_prev(item))) {
    seen.push_back(*item);
  }
  return seen;
}

int* append_int(BlockList* list, int value) {
  auto* item = static_cast<int*>(list_append(list, sizeof(int)));
  if (item) *item = value;
  return item;
}

TEST(BlockList, KeepsItemsInOrderBothWays) {
  BlockList* list = list_new();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list_first(list), nullptr);
  EXPECT_EQ(list_last(list), nullptr);
  int* two = append_int(list, 2);
  append_int(list, 4);
  *static_cast<int*>(list_insert_before(list, two, sizeof(int))) = 1;
  *static_cast<int*>(list_insert_before(list, nullptr, sizeof(int))) = 5;
  int* four = static_cast<int*>(list_next(two));
  *static_cast<int*>(list_insert_before(list, four, sizeof(int))) = 3;
  EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(values_backwards(list), (std::vector<int>{5, 4, 3, 2, 1}));
  EXPECT_EQ(list_prev(list_first(list)), nullptr);
  EXPECT_EQ(list_next(list_last(list)), nullptr);
  EXPECT_EQ(list_item_size(two), sizeof(int));
  for (uint32_t size : {1u, 3u, 0u, 13u}) {
    void* odd = list_append(list, size);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(odd) % alignof(void*), 0u) << "items stay aligned";
    EXPECT_EQ(list_item_size(odd), size);
  }
  list_destroy(&list);
  EXPECT_EQ(list, nullptr) << "the caller's handle is cleared";
}

TEST(BlockList, FilledItemsOfAssortedSizesKeepTheirSizesAndNeighbours) {
  BlockList* list = list_new();
  std::vector<std::pair<unsigned char*, uint32_t>> items;
  for (uint32_t i = 0; i < 3000; ++i) {
    uint32_t size = (i * 37) % 61;  // 0 to 60 bytes, every remainder of 8
    auto* data = static_cast<unsigned char*>(list_append(list, size));
    ASSERT_NE(data, nullptr);
    std::memset(data, static_cast<int>(i & 0xFF), size);
    items.push_back({data, size});
  }
  size_t index = 0;
  for (void* item = list_first(list); item; item = list_next(item), ++index) {
    ASSERT_EQ(item, items[index].first);
    ASSERT_EQ(list_item_size(item), items[index].second) << "item " << index;
    for (uint32_t b = 0; b < items[index].second; ++b) ASSERT_EQ(items[index].first[b], index & 0xFF);
  }
  EXPECT_EQ(index, items.size());
  for (void* item = list_last(list); item; item = list_prev(item)) --index;
  EXPECT_EQ(index, 0u) << "the backward walk meets every item too";
  list_destroy(&list);
}

TEST(BlockList, MissingListsAndItemsGiveNone) {
  EXPECT_EQ(list_append(nullptr, 4), nullptr);
  EXPECT_EQ(list_first(nullptr), nullptr);
  EXPECT_EQ(list_last(nullptr), nullptr);
  EXPECT_EQ(list_next(nullptr), nullptr);
  EXPECT_EQ(list_prev(nullptr), nullptr);
  EXPECT_EQ(list_item_size(nullptr), 0u);
  BlockList* none = nullptr;
  list_destroy(&none);
  list_destroy(nullptr);
}

TEST(BlockList, AnItemThatDoesNotFitStartsANewBlockAndOldItemsStay) {
  CountedBlocks counted;
  BlockList* list = list_new();
  const uint32_t big = 10000;
  auto* first = static_cast<char*>(list_append(list, big));
  auto* second = static_cast<char*>(list_append(list, big));
  std::memset(first, 'a', big);
  std::memset(second, 'b', big);
  EXPECT_EQ(blocks_out.load(), 1);
  auto* third = static_cast<char*>(list_append(list, big));
  ASSERT_NE(third, nullptr);
  std::memset(third, 'c', big);
  EXPECT_EQ(blocks_out.load(), 2);
  EXPECT_EQ(second - first, static_cast<ptrdiff_t>(big + sizeof(ListItemHeader))) << "carved one after another";
  for (uint32_t i = 0; i < big; ++i) {
    ASSERT_EQ(first[i], 'a');
    ASSERT_EQ(second[i], 'b');
  }
  EXPECT_EQ(list_next(second), third);
  list_destroy(&list);
  EXPECT_EQ(blocks_out.load(), 0) << "every block goes back with its last item";
  EXPECT_EQ(list_current_block(), nullptr);
}

TEST(BlockList, ABlockSharedByTwoListsStaysUntilBothAreGone) {
  CountedBlocks counted;
  BlockList* a = list_new();
  BlockList* b = list_new();
  append_int(a, 1);
  append_int(b, 2);
  append_int(a, 3);
  EXPECT_EQ(blocks_out.load(), 1);
  list_destroy(&a);
  EXPECT_EQ(blocks_out.load(), 1);
  EXPECT_EQ(values(b), (std::vector<int>{2}));
  list_destroy(&b);
  EXPECT_EQ(blocks_out.load(), 0);
}

TEST(BlockList, OversizedItemsAreRefused) {
  BlockList* list = list_new();
  EXPECT_EQ(list_append(list, list_block_data_bytes), nullptr);
  EXPECT_EQ(list_append(list, list_block_data_bytes - sizeof(ListItemHeader) + 1), nullptr);
  void* largest = list_append(list, list_block_data_bytes - sizeof(ListItemHeader));
  ASSERT_NE(largest, nullptr);
  std::memset(largest, 1, list_block_data_bytes - sizeof(ListItemHeader));
  EXPECT_EQ(values(list).size(), 1u);
  list_destroy(&list);
}

TEST(BlockList, AFailedBlockIsReportedToTheDebuggerAndForgotten) {
  RecordingUi ui;
  BlockList* list = list_new();
  list_append(list, 20000);  // leaves too little room for the next item
  {
    FailingMemory memory(1);
    EXPECT_EQ(list_append(list, 10000), nullptr);
  }
  ASSERT_EQ(ui.debug_lines().size(), 1u);
  EXPECT_EQ(ui.debug_lines()[0], "GlobalAlloc failed!!\n");
  EXPECT_TRUE(ui.texts().empty()) << "list blocks do not ask the user";
  EXPECT_NE(list_append(list, 10000), nullptr);
  EXPECT_EQ(values(list).size(), 2u);
  list_destroy(&list);
}

TEST(BlockList, ANegativeBlockCountIsReportedAndTheBlockReturned) {
  RecordingUi ui;
  CountedBlocks counted;
  ListBlock* block = nullptr;
  int32_t negative;
  {
    std::lock_guard<std::mutex> hold(list_lock);
    ASSERT_NE(list_memory_take(64, &block), nullptr);
    block->live = 0;  // as if one release too many had been counted
    negative = list_memory_give(block);
  }
  EXPECT_EQ(negative, -1);
  EXPECT_EQ(blocks_out.load(), 0);
  list_report_negative(negative);
  ASSERT_EQ(ui.recorded().size(), 1u);
  EXPECT_EQ(ui.recorded()[0].text, "Problem in List code.\nList block allocation negative (-1)");
  EXPECT_EQ(ui.recorded()[0].title, "Error");
}

TEST(BlockListThreads, TwoThreadsBuildAndDestroyListsAtOnce) {
  auto work = [](int base) {
    for (int round = 0; round < 20; ++round) {
      BlockList* list = list_new();
      for (int i = 0; i < 2000; ++i) {
        auto* item = static_cast<int*>(list_append(list, sizeof(int) * (1 + i % 5)));
        ASSERT_NE(item, nullptr);
        *item = base + i;
      }
      int expected = base;
      for (int value : values(list)) ASSERT_EQ(value, expected++);
      ASSERT_EQ(expected, base + 2000);
      list_destroy(&list);
    }
  };
  std::thread worker(work, 1000000);
  work(0);
  worker.join();
}

TEST(BlockListThreads, AReaderWalksWhileAWriterAppends) {
  BlockList* list = list_new();
  std::atomic<int> published{0};
  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i) {
      append_int(list, i);
      published.store(i + 1, std::memory_order_release);
    }
  });
  int longest = 0;
  while (longest < 20000) {
    int told = published.load(std::memory_order_acquire);
    int seen = 0;
    for (auto* item = static_cast<int*>(list_first(list)); item && seen < told;
         item = static_cast<int*>(list_next(item))) {
      ASSERT_EQ(*item, seen);
      ++seen;
    }
    ASSERT_EQ(seen, told);
    longest = seen;
  }
  writer.join();
  list_destroy(&list);
}
}  // namespace
