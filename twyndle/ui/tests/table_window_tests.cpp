// The SCTabDisplay window in a real owner window: driven by messages, read
// back through its scroll bars, its pixels, its layout and what the owner
// was told.
#include "twyndle/ui/table_window.h"
#include "twyndle/ui/tests/owner_window.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr intptr_t window_view = 0x7A11;
constexpr int row_height = 16;

class TableWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { register_test_classes(); }

  TableWindowTest() : owner(make_grid_owner(100, 3)), frame(owner) {
    owner.props.defaults.flags = prop_row_height;
    owner.props.defaults.row_height = row_height;
    // Slots of 90 pixels whatever the font: columns at 1, 91 and 181.
    ColumnProps column{10, CellProps{}};
    column.props.flags = prop_width;
    column.props.width = 88;
    owner.columns.assign(3, column);
  }

  // A table of `rows` rows, 30 visible (the last one 6 pixels), painted.
  void show(int32_t rows) {
    owner.props.row_count = rows;
    frame.make_table(400, 29 * row_height + 6);
    SendMessageA(frame.table, TM_LAYOUT, 0, window_view);
    UpdateWindow(frame.table);
    owner.forget();
  }

  void key(WPARAM code) {
    SendMessageA(frame.table, WM_KEYDOWN, code, 1);
    UpdateWindow(frame.table);
  }

  void mouse(UINT message, int x, int y) {
    SendMessageA(frame.table, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, y));
  }

  static int mid(int index) { return index * row_height + row_height / 2; }

  std::set<int32_t> rows_asked() const {
    return std::set<int32_t>(owner.rows_asked.begin(), owner.rows_asked.end());
  }

  COLORREF pixel(int x, int y) {
    HDC dc = GetDC(frame.table);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame.table, dc);
    return colour;
  }

  GridOwner owner;
  OwnerWindow frame;
};

TEST_F(TableWindowTest, HundredThousandRowsInThirtyVisibleRowsGiveScaleSixteen) {
  show(100000);
  ASSERT_NE(frame.layout(), nullptr);
  EXPECT_EQ(frame.layout()->visible_rows, 30);
  EXPECT_EQ(frame.layout()->scroll_scale, 16);
  int low = -1, high = -1;
  GetScrollRange(frame.table, SB_VERT, &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 6248);

  EXPECT_EQ(SendMessageA(frame.table, TM_SCROLLPOS, 1, 99999), 99971);
  EXPECT_EQ(GetScrollPos(frame.table, SB_VERT), 99971 / 16);
  SendMessageA(frame.table, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3000), 0);
  EXPECT_EQ(SendMessageA(frame.table, TM_SCROLLPOS, 0, 0), 48000);
}

TEST_F(TableWindowTest, ScrollingOneRowAsksForOneRowAndRepaintingAsksForNone) {
  show(100);
  SendMessageA(frame.table, WM_VSCROLL, SB_LINEDOWN, 0);
  UpdateWindow(frame.table);
  EXPECT_EQ(rows_asked(), std::set<int32_t>{30});
  EXPECT_EQ(owner.rows_asked.size(), 3u);

  owner.forget();
  InvalidateRect(frame.table, nullptr, TRUE);
  UpdateWindow(frame.table);
  EXPECT_TRUE(owner.rows_asked.empty());

  SendMessageA(frame.table, WM_VSCROLL, SB_PAGEDOWN, 0);
  UpdateWindow(frame.table);
  EXPECT_EQ(rows_asked().size(), 27u);
  EXPECT_EQ(*rows_asked().begin(), 31);
}

TEST_F(TableWindowTest, KeysSelectRowsAndPageDownStopsAtTheLastRow) {
  show(100);
  key(VK_DOWN);
  key(VK_DOWN);
  EXPECT_EQ(owner.selected_row(), 1);
  for (int i = 0; i < 5; ++i) key(VK_NEXT);
  EXPECT_EQ(owner.selected_row(), 99);
  EXPECT_EQ(SendMessageA(frame.table, TM_SCROLLPOS, 0, 0), 71);
  key(VK_RETURN);
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 99);
  key(VK_ESCAPE);
  key(VK_F4);
  EXPECT_EQ(frame.keys, (std::vector<WPARAM>{VK_ESCAPE, VK_F4}));
}

TEST_F(TableWindowTest, TheSelectedRowShowsInvertedOnScreen) {
  show(100);
  const COLORREF white = RGB(255, 255, 255);
  const COLORREF black = RGB(0, 0, 0);
  int x = frame.layout()->positions[2].end_x - 2;  // column 2, right of its text
  EXPECT_EQ(pixel(x, mid(4)), white);
  mouse(WM_LBUTTONDOWN, 150, mid(4));
  mouse(WM_LBUTTONUP, 150, mid(4));
  UpdateWindow(frame.table);
  EXPECT_EQ(owner.selected_row(), 4);
  EXPECT_EQ(pixel(x, mid(4)), black);
  EXPECT_EQ(pixel(x, mid(5)), white);
  SendMessageA(frame.table, WM_VSCROLL, SB_LINEDOWN, 0);
  UpdateWindow(frame.table);
  EXPECT_EQ(pixel(x, mid(3)), black);
  EXPECT_EQ(pixel(x, mid(4)), white);
  InvalidateRect(frame.table, nullptr, TRUE);
  UpdateWindow(frame.table);
  EXPECT_EQ(pixel(x, mid(3)), black);
}

TEST_F(TableWindowTest, MouseSelectsCellsButNotTheFixedColumnOrBelowTheEnd) {
  show(10);
  mouse(WM_LBUTTONDOWN, 40, mid(6));
  mouse(WM_LBUTTONUP, 40, mid(6));
  EXPECT_TRUE(owner.notices.empty());
  mouse(WM_LBUTTONDOWN, 150, mid(20));
  EXPECT_EQ(GetCapture(), frame.table);
  mouse(WM_LBUTTONUP, 150, mid(20));
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.selected_row(), -1);
  mouse(WM_LBUTTONDBLCLK, 150, mid(2));
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 2);
}

TEST_F(TableWindowTest, AppendedRowsFillInAndExtendTheScrollRange) {
  show(10);
  owner.props.row_count = 12;
  SendMessageA(frame.table, TM_APPEND, 12, window_view);
  UpdateWindow(frame.table);
  EXPECT_EQ(rows_asked(), (std::set<int32_t>{10, 11}));

  SendMessageA(frame.table, TM_APPEND, 5, window_view + 1);
  EXPECT_EQ(frame.layout()->props.row_count, 12);
  EXPECT_EQ(frame.layout()->props.view, window_view + 1);

  SendMessageA(frame.table, TM_APPEND, 500, window_view + 1);
  int low = -1, high = -1;
  GetScrollRange(frame.table, SB_VERT, &low, &high);
  EXPECT_EQ(high, 500 - 30 + 1);
}

TEST_F(TableWindowTest, DraggingAColumnEndFortyPixelsWidensIt) {
  show(100);
  int end = frame.layout()->positions[1].end_x;
  int next_start = frame.layout()->positions[2].start_x;
  mouse(WM_MOUSEMOVE, end, mid(3));
  EXPECT_NE(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  mouse(WM_LBUTTONDOWN, end, mid(3));
  EXPECT_EQ(GetCapture(), frame.table);
  mouse(WM_MOUSEMOVE, end + 20, mid(3));
  mouse(WM_MOUSEMOVE, end + 40, mid(4));
  mouse(WM_LBUTTONUP, end + 40, mid(4));
  UpdateWindow(frame.table);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(frame.layout()->positions[1].end_x, end + 40);
  EXPECT_EQ(frame.layout()->positions[2].start_x, next_start + 40);
  EXPECT_EQ(owner.selected_row(), -1);
}

TEST_F(TableWindowTest, DestroyingTheWindowTellsTheOwnerWhichViewGoes) {
  show(10);
  SendMessageA(frame.table, TM_LAYOUT, 0, window_view + 2);
  DestroyWindow(frame.table);
  ASSERT_EQ(owner.notices_of(TQ_CLOSE).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_CLOSE)[0].value, window_view + 2);
}

}  // namespace
