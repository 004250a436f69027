// Scrolling with the row cache: which cells are asked for, what is moved on
// screen, the scroll bar requests, TM_SCROLLPOS and TM_APPEND.
#include "twyndle/ui/tests/table_fixture.h"

#include <set>

namespace {

class ScrollTest : public TableTest {};

std::set<int32_t> rows_asked(const GridOwner& owner) {
  std::set<int32_t> rows;
  for (const CellQuery& query : owner.cell_queries) rows.insert(query.row);
  return rows;
}

TEST_F(ScrollTest, FirstPaintAsksEachVisibleCellOnce) {
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  EXPECT_EQ(owner.cell_queries.size(), 30u * 3u);
  EXPECT_EQ(rows_asked(owner).size(), 30u);
  EXPECT_EQ(*rows_asked(owner).rbegin(), 29);
}

TEST_F(ScrollTest, ScrollingOneRowAsksForOneRowsCellsAndRepaintAsksForNone) {
  show();
  table_scroll_rows(table(), 1);
  EXPECT_EQ(owner.cell_queries.size(), 3u);
  EXPECT_EQ(rows_asked(owner), std::set<int32_t>{30});
  ASSERT_EQ(surface.content_scrolls.size(), 1u);
  EXPECT_EQ(surface.content_scrolls[0].band_top, 0);
  EXPECT_EQ(surface.content_scrolls[0].dy, -test_row_height);

  owner.forget();
  surface.invalidate_all();
  surface.paint_pending();
  EXPECT_TRUE(owner.cell_queries.empty());
  EXPECT_FALSE(surface.texts.empty());

  table_scroll_rows(table(), -1);
  EXPECT_EQ(rows_asked(owner), std::set<int32_t>{0});
  EXPECT_EQ(owner.cell_queries.size(), 3u);
}

TEST_F(ScrollTest, CacheEntriesMoveWithTheirTexts) {
  show();
  table_scroll_rows(table(), 2);
  EXPECT_STREQ(layout().rows[0].cells[1].text, "r2c1");
  EXPECT_STREQ(layout().rows[27].cells[2].text, "r29c2");
  EXPECT_STREQ(layout().rows[29].cells[0].text, "r31c0");
  EXPECT_EQ(layout().rows[5].top, 5 * test_row_height);
}

TEST_F(ScrollTest, ScrollingAScreenOrMoreRepaintsEverythingWithoutMovingContents) {
  show();
  table_scroll_rows(table(), 30);
  EXPECT_TRUE(surface.content_scrolls.empty());
  EXPECT_TRUE(surface.has_pending);
  surface.paint_pending();
  EXPECT_EQ(owner.cell_queries.size(), 90u);
  EXPECT_EQ(*rows_asked(owner).begin(), 30);
}

TEST_F(ScrollTest, ScrollingPastTheEndsChangesNothing) {
  show();
  table_scroll_rows(table(), -5);
  EXPECT_EQ(layout().scroll_offset, 0);
  table_scroll_rows(table(), 500);
  EXPECT_EQ(layout().scroll_offset, 71);
  surface.paint_pending();
  owner.forget();
  surface.forget_drawing();
  table_scroll_rows(table(), 1);
  EXPECT_TRUE(surface.content_scrolls.empty());
  EXPECT_TRUE(owner.cell_queries.empty());
}

TEST_F(ScrollTest, FixedRowsStayWhileTheRestScrolls) {
  owner.props.fixed_rows = 1;
  show();
  table_scroll_rows(table(), 3);
  ASSERT_EQ(surface.content_scrolls.size(), 1u);
  EXPECT_EQ(surface.content_scrolls[0].band_top, test_row_height);
  EXPECT_STREQ(layout().rows[0].cells[0].text, "r0c0");
  EXPECT_STREQ(layout().rows[1].cells[0].text, "r4c0");
  EXPECT_EQ(rows_asked(owner), (std::set<int32_t>{30, 31, 32}));
}

TEST_F(ScrollTest, TopRowChangesAreReportedWhenAskedFor) {
  show();
  table_scroll_rows(table(), 4);
  EXPECT_TRUE(owner.notices_of(TQ_TOPROW).empty());

  owner.props.report_top_row = 1;
  show();
  table_scroll_rows(table(), 4);
  table_scroll_rows(table(), -1);
  std::vector<OwnerNotice> top = owner.notices_of(TQ_TOPROW);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[0].value, 4);
  EXPECT_EQ(top[1].value, 3);
}

TEST_F(ScrollTest, ScrollBarRequestsMoveByLinesPagesAndThumb) {
  show();
  table_vertical_request(table(), scroll_line_forward, 0);
  EXPECT_EQ(layout().scroll_offset, 1);
  table_vertical_request(table(), scroll_page_forward, 0);
  EXPECT_EQ(layout().scroll_offset, 1 + 27);
  table_vertical_request(table(), scroll_page_back, 0);
  table_vertical_request(table(), scroll_line_back, 0);
  EXPECT_EQ(layout().scroll_offset, 0);
  table_vertical_request(table(), scroll_thumb_position, 40);
  EXPECT_EQ(layout().scroll_offset, 40);
  table_vertical_request(table(), 5, 10);  // thumb tracking is ignored
  EXPECT_EQ(layout().scroll_offset, 40);
}

TEST_F(ScrollTest, PagingATinyWindowStillMovesForward) {
  surface.height = test_row_height;  // two cache rows
  show();
  ASSERT_EQ(layout().visible_rows, 2);
  table_vertical_request(table(), scroll_page_forward, 0);
  EXPECT_EQ(layout().scroll_offset, 1);
  key(key_page_down);
  EXPECT_EQ(layout().scroll_offset, 2);
  EXPECT_EQ(selection().start_row, 3);
}

TEST_F(ScrollTest, ScrollPositionMessageReportsAndSetsTheTopRow) {
  show();
  EXPECT_EQ(table_scroll_position(table(), false, 50), 0);
  EXPECT_EQ(table_scroll_position(table(), true, 50), 50);
  EXPECT_EQ(table_scroll_position(table(), true, 100), 50);  // not a row
  EXPECT_EQ(table_scroll_position(table(), true, 99), 71);
  EXPECT_EQ(table_scroll_position(table(), true, -4), 0);

  owner.props.fixed_rows = 2;
  show();
  EXPECT_EQ(table_scroll_position(table(), true, 12), 10);
  EXPECT_EQ(layout_row_at(layout(), 2), 12);
}

TEST_F(ScrollTest, AppendingNoMoreRowsChangesOnlyTheView) {
  show();
  table_append(table(), 100, test_view + 7);
  table_append(table(), 3, test_view + 8);
  EXPECT_EQ(layout().props.view, test_view + 8);
  EXPECT_EQ(layout().selection.view, test_view + 8);
  EXPECT_EQ(layout().props.row_count, 100);
  EXPECT_FALSE(surface.has_pending);
}

TEST_F(ScrollTest, AppendedRowsOnScreenAreFetchedAndTheRangeGrows) {
  owner.props.row_count = 10;
  show();
  EXPECT_EQ(surface.scroll_maximum[0], 0);
  owner.props.row_count = 14;
  table_append(table(), 14, test_view);
  ASSERT_TRUE(surface.has_pending);
  EXPECT_EQ(surface.pending.top, 10 * test_row_height);
  EXPECT_EQ(surface.pending.bottom, 14 * test_row_height);
  surface.paint_pending();
  EXPECT_EQ(rows_asked(owner), (std::set<int32_t>{10, 11, 12, 13}));

  owner.forget();
  owner.props.row_count = 100000;
  table_append(table(), 100000, test_view);
  EXPECT_EQ(layout().scroll_scale, 16);
  EXPECT_EQ(surface.scroll_maximum[0], 6248);
  surface.paint_pending();
  EXPECT_EQ(rows_asked(owner).size(), 30u - 14u);
}

TEST_F(ScrollTest, AppendingBelowTheScreenRepaintsNothing) {
  show();
  table_append(table(), 200, test_view);
  EXPECT_FALSE(surface.has_pending);
  EXPECT_EQ(surface.scroll_maximum[0], 200 - 30 + 1);
}

TEST_F(ScrollTest, ColumnsRightOfTheWindowAreNotFetched) {
  surface.width = 150;  // slots of 90: column 2 starts at 181
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  EXPECT_EQ(owner.cell_queries.size(), 30u * 2u);
  owner.forget();
  surface.width = 400;
  table_resize(table());
  surface.paint_pending();
  EXPECT_EQ(owner.cell_queries.size(), 30u);
}

}  // namespace
