#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "twyndle/engine/room_index.h"
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

// A plain first-fit model of the heap: segments in chain order (a new one
// directly after the first), each a row of free flags, searched from the
// first segment and the lowest unit on every request.
class FirstFitModel {
 public:
  struct Place {
    size_t segment;
    uint32_t unit;
  };

  Place take(uint32_t units) {
    for (size_t index : order_) {
      int32_t unit = count_[index] < units ? -1 : find(free_[index], units);
      if (unit >= 0) return mark(index, static_cast<uint32_t>(unit), units, false);
    }
    free_.push_back(fresh());
    count_.push_back(510);
    order_.insert(order_.begin() + 1, free_.size() - 1);
    return mark(free_.size() - 1, 2, units, false);
  }
  void give(Place place, uint32_t units) { mark(place.segment, place.unit, units, true); }
  size_t segments() const { return free_.size(); }

 private:
  static std::vector<uint8_t> fresh() {
    std::vector<uint8_t> row(512, 1);
    row[0] = row[1] = 0;
    return row;
  }
  static int32_t find(const std::vector<uint8_t>& row, uint32_t units) {
    uint32_t length = 0;
    for (uint32_t unit = 0; unit < row.size(); ++unit) {
      length = row[unit] ? length + 1 : 0;
      if (length == units) return static_cast<int32_t>(unit + 1 - units);
    }
    return -1;
  }
  Place mark(size_t segment, uint32_t unit, uint32_t units, bool free) {
    for (uint32_t u = unit; u < unit + units; ++u) free_[segment][u] = free;
    count_[segment] = free ? count_[segment] + units : count_[segment] - units;
    return {segment, unit};
  }
  std::vector<std::vector<uint8_t>> free_{fresh()};  // by creation
  std::vector<uint32_t> count_{510};                // free units, by creation
  std::vector<size_t> order_{0};                   // creation indexes in chain order
};

struct Held {
  char* memory;
  int32_t bytes;
  FirstFitModel::Place place;
};

// Takes a request from the heap and the model, and checks that the heap
// gave the model's place. Segment bases are learnt as segments appear.
testing::AssertionResult take_like_model(UnitHeap* heap, FirstFitModel& model, std::vector<char*>& bases,
                                         int32_t bytes, std::vector<Held>& held) {
  FirstFitModel::Place place = model.take(heap_units_for(bytes));
  auto* memory = static_cast<char*>(heap_alloc(heap, bytes));
  if (!memory) return testing::AssertionFailure() << "no memory for " << bytes;
  if (place.segment == bases.size()) bases.push_back(memory - place.unit * 64);
  char* expected = bases[place.segment] + place.unit * 64;
  if (memory != expected) {
    return testing::AssertionFailure() << bytes << " bytes: got offset " << (memory - bases[place.segment])
                                       << " of segment " << place.segment << ", first fit is unit " << place.unit;
  }
  std::memset(memory, 0x5A, static_cast<size_t>(bytes));
  held.push_back({memory, bytes, place});
  return testing::AssertionSuccess();
}

TEST_F(HeapTest, ManySegmentsAndScatteredFreesKeepFirstFitPlaces) {
  FirstFitModel model;
  std::vector<char*> bases;
  std::vector<Held> held;
  std::mt19937 random(7);
  for (int step = 0; step < 12000; ++step) {
    bool grow = held.size() < 400 || random() % 100 < (step < 6000 ? 60u : 40u);
    if (grow || held.empty()) {
      uint32_t pick = random() % 100;
      int32_t bytes = pick < 70 ? 1 + random() % 60 : pick < 95 ? 61 + random() % 500 : 600 + random() % 9400;
      ASSERT_TRUE(take_like_model(heap, model, bases, bytes, held)) << "step " << step;
    } else {
      size_t index = random() % held.size();
      model.give(held[index].place, heap_units_for(held[index].bytes));
      heap_free(heap, held[index].memory, held[index].bytes);
      held[index] = held.back();
      held.pop_back();
    }
  }
  EXPECT_EQ(heap_segment_count(heap), model.segments());
  for (const Held& h : held) {
    model.give(h.place, heap_units_for(h.bytes));
    heap_free(heap, h.memory, h.bytes);
  }
  held.clear();
  EXPECT_EQ(heap_free_units(heap), 510u * heap_segment_count(heap));
  for (int step = 0; step < 8000; ++step) {
    int32_t bytes = 1 + static_cast<int32_t>(random() % (step % 50 == 0 ? 3000 : 120));
    ASSERT_TRUE(take_like_model(heap, model, bases, bytes, held)) << "emptied heap, step " << step;
  }
  for (const Held& h : held) heap_free(heap, h.memory, h.bytes);
}

TEST_F(HeapTest, ASecondRoundAfterFreeingEverythingReusesTheFreedSegments) {
  std::mt19937 random(11);
  std::vector<int32_t> sizes;
  for (int i = 0; i < 20000; ++i) sizes.push_back(1 + static_cast<int32_t>(random() % 200));
  auto round = [this, &sizes]() {
    std::vector<char*> taken;
    for (int32_t bytes : sizes) {
      taken.push_back(static_cast<char*>(heap_alloc(heap, bytes)));
      if (taken.size() % 3 == 0) {  // short-lived texts between the records that stay
        void* passing = heap_alloc(heap, 40);
        heap_free(heap, passing, 40);
      }
    }
    return taken;
  };
  std::vector<char*> first = round();
  uint32_t segments = heap_segment_count(heap);
  for (size_t i = 0; i < first.size(); ++i) heap_free(heap, first[i], sizes[i]);
  EXPECT_EQ(heap_free_units(heap), 510u * segments);
  std::vector<char*> second = round();
  EXPECT_EQ(heap_segment_count(heap), segments) << "no new segment while emptied ones have room";
  for (size_t i = 0; i < second.size(); ++i) heap_free(heap, second[i], sizes[i]);
}

TEST_F(HeapTest, AHoleTooSmallForALargerRunIsStillFoundForASmallOne) {
  std::vector<void*> ones;
  for (int i = 0; i < 510 * 3; ++i) ones.push_back(heap_alloc(heap, 8));
  ASSERT_EQ(heap_segment_count(heap), 3u);
  heap_free(heap, ones[100], 8);                     // one unit free in the first segment
  char* two = static_cast<char*>(heap_alloc(heap, 100));  // needs two: a new segment
  EXPECT_EQ(heap_segment_count(heap), 4u);
  EXPECT_EQ(heap_alloc(heap, 8), ones[100]) << "the one-unit hole is still the first fit for one unit";
  heap_free(heap, ones[101], 8);
  heap_free(heap, ones[102], 8);
  EXPECT_EQ(heap_alloc(heap, 100), ones[101]) << "two freed neighbours make room for two units";
  heap_free(heap, two, 100);
}

// The room index against a plain list: segment 0 first, then falling
// numbers, each listed for a run length when its bound reaches it.
std::vector<uint32_t> indexed_order(const RoomIndex& index, uint32_t units) {
  std::vector<uint32_t> order;
  for (uint32_t n = room_index_first(&index, units); n != room_none && order.size() <= index.count;
       n = room_index_next(&index, units, n)) {
    order.push_back(n);  // a walk that comes back to a segment stops one past the count
  }
  return order;
}

std::vector<uint32_t> expected_order(const std::vector<uint32_t>& bounds, uint32_t units) {
  std::vector<uint32_t> order;
  if (!bounds.empty() && bounds[0] >= units) order.push_back(0);
  for (size_t n = bounds.size(); n-- > 1;) {
    if (bounds[n] >= units) order.push_back(static_cast<uint32_t>(n));
  }
  return order;
}

TEST(HeapRoomIndex, ListsSegmentsWithRoomInChainOrderAsBoundsChange) {
  RoomIndex index = {nullptr, nullptr, 0, 0};
  std::vector<uint32_t> bounds;
  std::mt19937 random(3);
  std::vector<int> tags(300);
  for (int& tag : tags) {
    uint32_t bound = random() % 24;
    ASSERT_EQ(room_index_add(&index, &tag, bound), bounds.size()) << "numbers are given in turn";
    bounds.push_back(bound);
  }
  EXPECT_EQ(index.segments[299], &tags[299]);
  for (int round = 0; round < 3; ++round) {
    for (uint32_t units = 1; units <= room_classes; ++units) {
      ASSERT_EQ(indexed_order(index, units), expected_order(bounds, units)) << "round " << round << ", " << units;
    }
    for (int change = 0; change < 200; ++change) {
      uint32_t number = random() % bounds.size();
      uint32_t bound = random() % 24;
      room_index_change(&index, number, bounds[number], bound);
      bounds[number] = bound;
    }
  }
  room_index_release(&index);
  RoomIndex empty = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(room_index_first(&empty, 1), room_none);
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
