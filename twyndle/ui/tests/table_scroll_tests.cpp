// Scrolling with the row cache: which cells are asked for, what moves on
// screen, the scroll bar requests, TM_SCROLLPOS and TM_APPEND.
#include "twyndle/ui/tests/table_fixture.h"

#include <set>

namespace {

using ScrollTest = TableTest;

std::set<int32_t> rows_asked(const GridOwner& owner) {
  return std::set<int32_t>(owner.rows_asked.begin(), owner.rows_asked.end());
}

TEST_F(ScrollTest, ScrollingOneRowAsksForThatRowAndMovesTheRestWithTheirTexts) {
  table_show_view(surface.table, test_view, false);
  surface.paint_pending();
  EXPECT_EQ(owner.rows_asked.size(), 30u * 3u);
  owner.forget();

  scroll(2);
  EXPECT_EQ(rows_asked(owner), (std::set<int32_t>{30, 31}));
  EXPECT_EQ(owner.rows_asked.size(), 6u);
  EXPECT_EQ(surface.content_scrolls, std::vector<int32_t>{-2 * row_height});
  EXPECT_STREQ(layout().rows[0].cells[1].text, "r2c1");
  EXPECT_STREQ(layout().rows[27].cells[2].text, "r29c2");

  owner.forget();
  surface.invalidate_all();
  surface.paint_pending();
  EXPECT_TRUE(owner.rows_asked.empty());
  EXPECT_FALSE(surface.texts.empty());
}

TEST_F(ScrollTest, ScrollingAScreenOrMoreRepaintsEverythingAndStopsAtTheEnds) {
  show();
  scroll(30);
  EXPECT_TRUE(surface.content_scrolls.empty());
  surface.paint_pending();
  EXPECT_EQ(owner.rows_asked.size(), 90u);
  EXPECT_EQ(*rows_asked(owner).begin(), 30);

  scroll(500);
  EXPECT_EQ(layout().scroll_offset, 71);
  surface.paint_pending();
  owner.forget();
  surface.forget_drawing();
  scroll(1);
  scroll(-1000);
  scroll(-1);
  EXPECT_EQ(layout().scroll_offset, 0);
  EXPECT_EQ(surface.content_scrolls.size(), 0u);
}

TEST_F(ScrollTest, FixedRowsStayWhileTheRestScrolls) {
  owner.props.fixed_rows = 2;
  show();
  scroll(3);
  EXPECT_STREQ(layout().rows[1].cells[0].text, "r1c0");
  EXPECT_STREQ(layout().rows[2].cells[0].text, "r5c0");
  EXPECT_EQ(rows_asked(owner), (std::set<int32_t>{30, 31, 32}));
  EXPECT_EQ(layout_row_at(layout(), 2), 5);
  EXPECT_EQ(layout_index_of(layout(), 1), 1);
  EXPECT_EQ(layout_index_of(layout(), 4), -1);
  EXPECT_EQ(table_scroll_position(surface.table, true, 12), 10);
  EXPECT_EQ(layout_row_at(layout(), 2), 12);
}

TEST_F(ScrollTest, ScrollBarRequestsAndTopRowReports) {
  owner.props.report_top_row = 1;
  show();
  table_vertical_request(surface.table, scroll_line_forward, 0);
  table_vertical_request(surface.table, scroll_page_forward, 0);
  EXPECT_EQ(layout().scroll_offset, 1 + 27);
  table_vertical_request(surface.table, scroll_page_back, 0);
  table_vertical_request(surface.table, scroll_line_back, 0);
  table_vertical_request(surface.table, 5, 10);  // thumb tracking: ignored
  EXPECT_EQ(layout().scroll_offset, 0);
  table_vertical_request(surface.table, scroll_thumb_position, 40);
  std::vector<OwnerNotice> top = owner.notices_of(TQ_TOPROW);
  ASSERT_EQ(top.size(), 5u);
  EXPECT_EQ(top[1].value, 28);
  EXPECT_EQ(top[4].value, 40);

  EXPECT_EQ(table_scroll_position(surface.table, false, 50), 40);
  EXPECT_EQ(table_scroll_position(surface.table, true, 100), 40);  // no such row
  EXPECT_EQ(table_scroll_position(surface.table, true, 99), 71);
  EXPECT_EQ(table_scroll_position(surface.table, true, -4), 0);
}

TEST_F(ScrollTest, PagingATinyWindowStillMovesForward) {
  surface.height = row_height;  // two cache rows: a page would be -1 rows
  show();
  table_vertical_request(surface.table, scroll_page_forward, 0);
  EXPECT_EQ(layout().scroll_offset, 1);
  key(key_page_down);
  EXPECT_EQ(layout().scroll_offset, 2);
  EXPECT_EQ(selected_row(), 3);
}

TEST_F(ScrollTest, ColumnsRightOfTheWindowAreNotAskedFor) {
  surface.width = 150;  // column 2 starts at 181
  table_show_view(surface.table, test_view, false);
  surface.paint_pending();
  EXPECT_EQ(owner.rows_asked.size(), 30u * 2u);
  owner.forget();
  surface.width = 400;
  table_resize(surface.table);
  surface.paint_pending();
  EXPECT_EQ(owner.rows_asked.size(), 30u);
}

}  // namespace
