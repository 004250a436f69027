// Records above 2 GB. twyndle is linked large-address-aware, so on 64-bit
// Windows its records may lie above 0x80000000, where an address read as a
// signed 32-bit number (a LPARAM) is negative. This program is linked the
// same way; it first fills the free address space below 2 GB and the low
// free room of the heaps, so that the engine's records lie above, and
// compares two files there: the result must be the one made at low
// addresses. A View named by such an address is then shown in a table
// window, printed and dropped.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/ui/tests/bitmap_printer.h"
#include "twyndle/ui/tests/view_fixture.h"
#include "twyndle/ui/tests/view_owner_window.h"

namespace {

constexpr uintptr_t two_gb = 0x80000000u;

bool high(const void* address) { return reinterpret_cast<uintptr_t>(address) >= two_gb; }

// Reserves the free address space below 2 GB, in ever smaller pieces; the
// pieces stay reserved for the rest of the process. True when some space
// above 2 GB was found, as a large-address-aware program gets it.
bool reserve_low_space() {
  bool found_high = false;
  for (SIZE_T size : {SIZE_T(256) << 20, SIZE_T(16) << 20, SIZE_T(1) << 20, SIZE_T(64) << 10}) {
    for (;;) {
      void* piece = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
      if (!piece) break;
      if (high(piece)) {
        found_high = true;
        VirtualFree(piece, 0, MEM_RELEASE);
        break;
      }
    }
  }
  return found_high;
}

// Takes the low free room of a heap: blocks of shrinking sizes until the
// heap hands out one above 2 GB. The blocks are kept.
template <typename Allocate>
void use_up_low_room(Allocate allocate) {
  for (size_t size : {size_t(65536), size_t(4096), size_t(256), sizeof(View), size_t(32)}) {
    for (int i = 0; i < 1000000; ++i) {
      void* block = allocate(size);
      if (!block || high(block)) break;
    }
  }
}

// The View's name in the table protocol: an address above 2 GB, which reads
// as a negative LPARAM. The owner answers every view value from its View.
const intptr_t high_view = static_cast<intptr_t>(static_cast<uintptr_t>(0x9ABC0000u));

const std::vector<std::string> left_lines{"one", "two", "moved a", "moved b", "three", "four"};
const std::vector<std::string> right_lines{"one", "2", "three", "four", "moved a", "moved b"};

// Compares the two files into a View and expands the pair: its rows as
// "number|mark|text".
View* expanded_compare(const TempFolder& files, ViewSink* sink, std::vector<std::string>* rows) {
  View* view = view_create(sink);
  std::string left = files.write("left.txt", text_lines(left_lines));
  std::string right = files.write("right.txt", text_lines(right_lines));
  if (!compare_paths(left.c_str(), right.c_str(), view, 1) || !view_expand(view, 0)) return view;
  for (int32_t row = 0; row < view_row_count(view); ++row) {
    std::vector<std::string> texts = row_texts(view, row);
    rows->push_back(texts[0] + "|" + texts[1] + "|" + texts[2]);
  }
  return view;
}

class HighAddresses : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The same compare at low addresses first, to hold the other against.
    TempFolder files;
    RecordingSink sink;
    View* low = expanded_compare(files, &sink, &low_rows_);
    low_was_low_ = !high(low);
    view_delete(low);
    found_high_ = reserve_low_space();
    take_low_room();
    // The engine's heap starts again, in segments that now lie high.
    engine_stop();
    engine_start();
  }

  // Blocks freed since lie low again: taken before each test.
  static void take_low_room() {
    use_up_low_room([](size_t size) { return std::malloc(size); });
    use_up_low_room([](size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); });
    use_up_low_room([](size_t size) { return static_cast<void*>(GlobalAlloc(GMEM_FIXED, size)); });
  }

  void SetUp() override {
    ASSERT_TRUE(found_high_) << "no address above 2 GB: the program is not large-address-aware";
  }

  static bool found_high_;
  static bool low_was_low_;
  static std::vector<std::string> low_rows_;
};
bool HighAddresses::found_high_ = false;
bool HighAddresses::low_was_low_ = false;
std::vector<std::string> HighAddresses::low_rows_;

TEST_F(HighAddresses, ACompareAboveTwoGigabytesComesOutAsBelow) {
  ASSERT_TRUE(low_was_low_);
  ASSERT_EQ(low_rows_.size(), 9u) << "two files of six lines with a moved block and a changed line";
  TempFolder files;
  RecordingSink sink;
  std::vector<std::string> rows;
  View* view = expanded_compare(files, &sink, &rows);
  CompareItem* item = view_current_item(view, 0);
  ASSERT_TRUE(high(item)) << "the engine's records lie above 2 GB";
  EXPECT_EQ(rows, low_rows_);
  EXPECT_EQ(view_find_change(view, 0, true), 1);
  view_delete(view);
}

TEST_F(HighAddresses, AViewNamedByANegativeLparamIsShownPrintedAndDropped) {
  ASSERT_LT(static_cast<LPARAM>(high_view), 0);
  ViewOwnerWindow owner(false);
  HWND table = owner.table;
  ASSERT_NE(table, nullptr);
  TempFolder files;
  RecordingSink sink;
  std::vector<std::string> rows;
  owner.view = expanded_compare(files, &sink, &rows);
  ASSERT_EQ(rows.size(), 9u);

  SendMessageA(table, TM_LAYOUT, 0, high_view);
  UpdateWindow(table);
  TableSelection select{high_view, 3, 0, 1, 1};
  SendMessageA(table, TM_SELECT, 0, reinterpret_cast<LPARAM>(&select));
  EXPECT_EQ(SendMessageA(table, TM_SCROLLPOS, 0, 0), 0);

  BitmapPrinter printer;
  PrintRequest request{high_view, nullptr, nullptr, nullptr, nullptr};
  owner.cells_asked = 0;
  EXPECT_EQ(SendMessageA(table, TM_PRINT, 0, reinterpret_cast<LPARAM>(&request)), 1);
  ASSERT_EQ(printer.pages.size(), 1u);
  EXPECT_EQ(owner.cells_asked, 9 * 3);
  EXPECT_GT(printer.pages[0].table_ink, 0);

  SendMessageA(table, TM_RESET, 0, 0);
  EXPECT_EQ(owner.closed, high_view);
  view_delete(owner.view);
}

}  // namespace
