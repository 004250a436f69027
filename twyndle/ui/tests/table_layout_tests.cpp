// Layouts built from the owner's answers: their coming and going, measuring,
// the scroll scale, and column positions.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

using LayoutTest = TableTest;

TEST_F(LayoutTest, LayoutsComeAndGoWithTheRightNotices) {
  table_show_view(surface.table, test_view, false);
  EXPECT_EQ(owner.props_queries, 1);
  ASSERT_EQ(owner.notices.size(), 1u);  // the empty selection of the new layout
  EXPECT_EQ(owner.notices[0].code, TQ_SELECTED);
  EXPECT_EQ(owner.notices[0].selection.view, test_view);
  EXPECT_EQ(owner.notices[0].selection.row_count, 0);

  table_show_view(surface.table, test_view + 1, false);  // TM_LAYOUT: no TQ_CLOSE
  table_show_view(surface.table, test_view + 2, true);   // TM_RESET: closes view + 1
  table_show_view(surface.table, 0, true);               // closes view + 2, asks nothing
  table_close(surface.table);                            // nothing left to close
  std::vector<OwnerNotice> closed = owner.notices_of(TQ_CLOSE);
  ASSERT_EQ(closed.size(), 2u);
  EXPECT_EQ(closed[0].value, test_view + 1);
  EXPECT_EQ(closed[1].value, test_view + 2);
  EXPECT_EQ(owner.props_queries, 3);
  EXPECT_EQ(surface.table.layout, nullptr);
}

TEST_F(LayoutTest, AnOwnerWithNothingToShowLeavesAnEmptyWindow) {
  show();
  scroll(5);
  owner.shows_nothing = true;
  table_show_view(surface.table, test_view + 1, false);
  EXPECT_EQ(surface.table.layout, nullptr);
  EXPECT_EQ(surface.scroll_maximum[0], 0);
  EXPECT_EQ(surface.scroll_maximum[1], 0);
  EXPECT_TRUE(surface.has_pending);
  EXPECT_EQ(table_key(surface.table, key_down, false), KeyUse::ignored);
  EXPECT_EQ(table_scroll_position(surface.table, true, 3), 0);
}

TEST_F(LayoutTest, SlotsFollowPixelWidthsDefaultsOrTextLengthInTheColumnsFont) {
  owner.props.column_count = 4;
  owner.columns = {ColumnProps{5, {}}, column_with(5, prop_width, 33),
                   column_with(9, prop_font, 10), ColumnProps{0, {}}};
  show();
  EXPECT_EQ(layout().positions[0].slot_width, 6 * 8 + 2);
  EXPECT_EQ(layout().positions[1].slot_width, 33 + 2);
  EXPECT_EQ(layout().positions[2].slot_width, 10 * 10 + 2);
  EXPECT_EQ(layout().positions[3].slot_width, 8 + 2);
  EXPECT_EQ(layout().total_width, 50 + 35 + 102 + 10);

  owner.props.defaults.flags = prop_width | prop_row_height | prop_font;
  owner.props.defaults.width = 60;
  owner.props.defaults.row_height = 25;
  owner.props.defaults.font = fake_font(6);
  show();
  EXPECT_EQ(layout().positions[0].slot_width, 62);
  EXPECT_EQ(layout().positions[1].slot_width, 35);  // the column's own width wins
  EXPECT_EQ(layout().char_width, 6);
  EXPECT_EQ(layout().visible_rows, 470 / 25 + 1);
  EXPECT_EQ(layout().rows[3].top, 75);
}

TEST_F(LayoutTest, ScrolledColumnsPassBehindTheFixedOnes) {
  owner.props.column_count = 5;  // 450 wide in a client of 200
  surface.width = 200;
  show();
  const std::vector<ColumnPosition>& at = layout().positions;
  EXPECT_EQ(at[1].start_x, 91);
  EXPECT_EQ(at[1].end_x, 179);
  EXPECT_EQ(surface.scroll_maximum[1], 250);

  table_scroll_pixels(surface.table, 100);
  EXPECT_EQ(at[0].start_x, 1);
  EXPECT_EQ(at[1].start_x, -9);
  EXPECT_EQ(at[1].visible_start_x, 90);
  EXPECT_EQ(at[2].start_x, 81);
  EXPECT_EQ(at[2].visible_start_x, 90);

  table_scroll_pixels(surface.table, 1000);
  EXPECT_EQ(layout().horizontal_offset, 250);
  table_horizontal_request(surface.table, scroll_page_back, 0);
  table_horizontal_request(surface.table, scroll_line_back, 0);
  EXPECT_EQ(layout().horizontal_offset, 250 - 200 * 2 / 3 - 8);
  table_horizontal_request(surface.table, scroll_thumb_position, 7);
  EXPECT_EQ(surface.scroll_position[1], 7);
}

TEST_F(LayoutTest, GrowingTheWindowBringsTheOffsetBackIntoRange) {
  show();
  scroll(1000);
  EXPECT_EQ(layout().scroll_offset, 71);
  surface.height += 10 * row_height;
  table_resize(surface.table);
  EXPECT_EQ(layout().visible_rows, 40);
  EXPECT_EQ(layout().scroll_offset, 61);
  EXPECT_EQ(surface.scroll_position[0], 61);
}

TEST_F(LayoutTest, ImpossibleOwnerAnswersAreMadeSafe) {
  owner.props.row_count = -5;
  owner.props.column_count = 2;
  owner.props.fixed_columns = 7;
  owner.props.fixed_rows = -1;
  owner.props.defaults.flags = prop_row_height;
  owner.props.defaults.row_height = 0;
  owner.columns = {ColumnProps{-3, {}}, ColumnProps{1 << 30, {}}};
  surface.height = 40;
  show();
  EXPECT_EQ(layout().props.row_count, 0);
  EXPECT_EQ(layout().props.fixed_columns, 2);
  EXPECT_EQ(layout().props.fixed_rows, 0);
  EXPECT_EQ(layout().row_height, 1);
  EXPECT_EQ(layout().columns[0].text_length, 0);
  EXPECT_EQ(layout().columns[1].text_length, table_max_text_length);
  key(key_down);
  key(key_page_down);
  key(key_end, true);
  EXPECT_EQ(selection().row_count, 0);

  owner.props.row_count = 5;
  owner.props.column_count = 0;  // nothing to wrap columns into
  show();
  key(key_down);
  key(key_down);
  EXPECT_EQ(selection().row_count, 0);
}

}  // namespace
