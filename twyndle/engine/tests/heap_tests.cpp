#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "twyndle/engine/tests/test_support.h"
#include "twyndle/engine/unit_heap.h"

namespace {
class HeapTest : public testing::Test {
 protected:
  void SetUp() override { heap = heap_create(); ASSERT_NE(heap, nullptr); }
  void TearDown() override { heap_destroy(heap); }
  UnitHeap* heap = nullptr;
};

bool all_zero(const void* memory, size_t bytes) {
  const auto* p = static_cast<const unsigned char*>(memory);
  for (size_t i = 0; i < bytes; ++i) {
    if (p[i]) return false;
  }
  return true;
}

TEST(HeapUnits, RunsHoldTheRequestAndTheFourByteMarker) {
  EXPECT_EQ(heap_units_for(1), 1u);
  EXPECT_EQ(heap_units_for(60), 1u);
  EXPECT_EQ(heap_units_for(61), 2u);
  EXPECT_EQ(heap_units_for(124), 2u);
  EXPECT_EQ(heap_units_for(125), 3u);
  EXPECT_EQ(heap_units_for(10000), 157u);
  EXPECT_EQ(heap_units_for(10001), 0u);
  EXPECT_EQ(heap_units_for(0), 0u);
  EXPECT_EQ(heap_units_for(-5), 0u);
}

TEST_F(HeapTest, NewHeapHasOneSegmentWith510FreeUnits) {
  EXPECT_EQ(heap_segment_count(heap), 1u);
  EXPECT_EQ(heap_free_units(heap), 510u);
}

TEST_F(HeapTest, AllocationsTakeUnitsAndFreeingGivesThemBack) {
  void* one = heap_alloc(heap, 60);
  EXPECT_EQ(heap_free_units(heap), 509u);
  void* two = heap_alloc(heap, 61);
  EXPECT_EQ(heap_free_units(heap), 507u);
  void* big = heap_alloc(heap, 10000);
  EXPECT_EQ(heap_free_units(heap), 350u);
  auto* large = static_cast<unsigned char*>(heap_alloc(heap, 10001));
  EXPECT_EQ(heap_free_units(heap), 350u) << "large requests bypass the units";
  ASSERT_TRUE(one && two && big && large);
  EXPECT_TRUE(all_zero(large, 10001));
  heap_free(heap, large, 10001);
  std::memset(one, 0xAB, 60);
  std::memset(two, 0xCD, 61);
  std::memset(big, 0xEF, 10000);
  heap_free(heap, two, 61);
  heap_free(heap, one, 60);
  heap_free(heap, big, 10000);
  EXPECT_EQ(heap_free_units(heap), 510u);
}

TEST_F(HeapTest, EmptyAndNegativeRequestsDoNothing) {
  EXPECT_EQ(heap_alloc(heap, 0), nullptr);
  EXPECT_EQ(heap_alloc(heap, -1), nullptr);
  EXPECT_EQ(heap_alloc(nullptr, 10), nullptr);
  void* memory = heap_alloc(heap, 10);
  heap_free(heap, memory, 0);
  heap_free(heap, memory, -3);
  EXPECT_EQ(heap_free_units(heap), 509u);
  heap_free(heap, memory, 10);
  heap_free(heap, nullptr, 10);
  heap_free(nullptr, memory, 10);
  EXPECT_EQ(heap_free_units(heap), 510u);
}

TEST_F(HeapTest, ReusedMemoryIsZeroFilledAndAligned) {
  auto* first = static_cast<unsigned char*>(heap_alloc(heap, 100));
  std::memset(first, 0xFF, 100);
  heap_free(heap, first, 100);
  auto* again = static_cast<unsigned char*>(heap_alloc(heap, 100));
  EXPECT_EQ(again, first);
  EXPECT_TRUE(all_zero(again, 100));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(again) % 8, 0u) << "records with pointers and 64-bit fields fit";
  heap_free(heap, again, 100);
}

TEST_F(HeapTest, FirstFitTakesTheLowestHoleThatIsLargeEnough) {
  char* a = static_cast<char*>(heap_alloc(heap, 60));
  char* b = static_cast<char*>(heap_alloc(heap, 60));
  char* c = static_cast<char*>(heap_alloc(heap, 60));
  EXPECT_EQ(b - a, 64);
  EXPECT_EQ(c - b, 64);
  heap_free(heap, b, 60);
  char* two_units = static_cast<char*>(heap_alloc(heap, 100));
  EXPECT_EQ(two_units - c, 64) << "a two-unit run does not fit the one-unit hole";
  char* one_unit = static_cast<char*>(heap_alloc(heap, 8));
  EXPECT_EQ(one_unit, b) << "the hole is the lowest place for one unit";
}

TEST_F(HeapTest, FullSegmentsChainNewOnesAndFreedUnitsAreUsedFirst) {
  std::vector<void*> units;
  for (int i = 0; i < 510; ++i) units.push_back(heap_alloc(heap, 32));
  EXPECT_EQ(heap_segment_count(heap), 1u);
  EXPECT_EQ(heap_free_units(heap), 0u);
  void* overflow = heap_alloc(heap, 32);
  ASSERT_NE(overflow, nullptr);
  EXPECT_EQ(heap_segment_count(heap), 2u);
  EXPECT_EQ(heap_free_units(heap), 509u);
  heap_free(heap, units[7], 32);
  EXPECT_EQ(heap_alloc(heap, 32), units[7]) << "the first segment is searched first";
  heap_free(heap, overflow, 32);
  EXPECT_EQ(heap_free_units(heap), 510u) << "segments stay until the heap goes";
}

TEST_F(HeapTest, RunsNeverCrossSegments) {
  std::vector<char*> runs;
  for (int i = 0; i < 4; ++i) runs.push_back(static_cast<char*>(heap_alloc(heap, 10000)));
  EXPECT_EQ(heap_segment_count(heap), 2u);
  EXPECT_EQ(heap_free_units(heap), 510u * 2 - 4 * 157);
  for (char* run : runs) {
    ASSERT_NE(run, nullptr);
    std::memset(run, 0x11, 10000);
  }
  for (char* run : runs) heap_free(heap, run, 10000);
  EXPECT_EQ(heap_free_units(heap), 1020u);
}

TEST(HeapMemory, OutOfMemoryAsksAndRetryTriesAgain) {
  RecordingUi ui;
  FailingMemory memory(2);
  ui.answer_next(MessageAnswer::retry);
  ui.answer_next(MessageAnswer::retry);
  UnitHeap* heap = heap_create();
  ASSERT_NE(heap, nullptr);
  ASSERT_EQ(ui.recorded().size(), 2u);
  const RecordingUi::Recorded asked = ui.recorded()[0];
  EXPECT_EQ(asked.text, "Memory allocation failed");
  EXPECT_EQ(asked.title, "Out Of Memory");
  EXPECT_EQ(asked.icon, MessageIcon::error);
  EXPECT_EQ(asked.buttons, MessageButtons::abort_retry_ignore);
  heap_destroy(heap);
}

TEST(HeapMemory, IgnoreGivesUpWithNone) {
  RecordingUi ui;
  UnitHeap* heap = heap_create();
  ASSERT_NE(heap, nullptr);
  {
    FailingMemory memory(1);
    ui.answer_next(MessageAnswer::ignore);
    EXPECT_EQ(heap_alloc(heap, 20000), nullptr);
  }
  {
    FailingMemory memory(1);
    ui.answer_next(MessageAnswer::ignore);
    EXPECT_EQ(heap_create(), nullptr);
  }
  for (int i = 0; i < 510; ++i) heap_alloc(heap, 1);
  {
    FailingMemory memory(1);
    ui.answer_next(MessageAnswer::ignore);
    EXPECT_EQ(heap_alloc(heap, 1), nullptr) << "no new segment could be had";
  }
  EXPECT_EQ(ui.texts().size(), 3u);
  EXPECT_NE(heap_alloc(heap, 1), nullptr) << "the next request asks the system again";
  heap_destroy(heap);
}

TEST(HeapMemoryDeathTest, AbortEndsTheProcessWithExitCodeOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        RecordingUi ui;
        FailingMemory memory(1);
        ui.answer_next(MessageAnswer::abort);
        heap_create();
      },
      testing::ExitedWithCode(1), "");
}

TEST(HeapThreads, TwoThreadsAllocateAndFreeAtOnce) {
  UnitHeap* heap = heap_create();
  auto work = [heap](unsigned char mark) {
    std::vector<std::pair<unsigned char*, int>> held;
    for (int round = 0; round < 4000; ++round) {
      int bytes = 1 + (round * 37 + mark) % 300;
      if (round % 1000 == 999) bytes = 12000;
      auto* memory = static_cast<unsigned char*>(heap_alloc(heap, bytes));
      ASSERT_NE(memory, nullptr);
      for (int i = 0; i < bytes; ++i) ASSERT_EQ(memory[i], 0);
      std::memset(memory, mark, bytes);
      held.push_back({memory, bytes});
      if (round % 3 == 0) {
        auto [old, size] = held[held.size() / 2];
        for (int i = 0; i < size; ++i) ASSERT_EQ(old[i], mark) << "another thread wrote into this run";
        heap_free(heap, old, size);
        held.erase(held.begin() + held.size() / 2);
      }
    }
    for (auto [memory, bytes] : held) {
      for (int i = 0; i < bytes; ++i) ASSERT_EQ(memory[i], mark);
      heap_free(heap, memory, bytes);
    }
  };
  std::thread worker(work, 0x77);
  work(0x33);
  worker.join();
  EXPECT_EQ(heap_free_units(heap), 510u * heap_segment_count(heap));
  heap_destroy(heap);
}
}  // namespace
