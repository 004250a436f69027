// Building layouts from the owner's answers: shape, measuring, scroll
// scale, column positions, and the owner's side of layout changes.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

class LayoutTest : public TableTest {};

class LongTableTest : public TableTest {
 protected:
  LongTableTest() : TableTest(100000) {}
};

TEST_F(LongTableTest, HundredThousandRowsInThirtyVisibleRowsScaleBySixteen) {
  show();
  EXPECT_EQ(layout().visible_rows, 30);
  EXPECT_EQ(layout_max_offset(layout()), 99971);
  EXPECT_EQ(layout().scroll_scale, 16);
  EXPECT_EQ(surface.scroll_maximum[0], 6248);
}

TEST_F(LongTableTest, ScrollBoxFollowsOffsetDividedByScaleAndThumbMultipliesBack) {
  show();
  table_scroll_rows(table(), 99971);
  EXPECT_EQ(layout().scroll_offset, 99971);
  EXPECT_EQ(surface.scroll_position[0], 99971 / 16);
  table_vertical_request(table(), scroll_thumb_position, 100);
  EXPECT_EQ(layout().scroll_offset, 1600);
  EXPECT_EQ(surface.scroll_position[0], 100);
}

TEST_F(LayoutTest, TablesThatFitKeepScaleOneAndShortTablesGetAnEmptyRange) {
  owner.props.row_count = 32766 + 29;
  show();
  EXPECT_EQ(layout().scroll_scale, 1);
  EXPECT_EQ(surface.scroll_maximum[0], 32766);

  owner.props.row_count = 20;
  show();
  EXPECT_EQ(layout_max_offset(layout()), 0);
  EXPECT_EQ(surface.scroll_maximum[0], 0);
}

TEST_F(LayoutTest, BuildingAsksPropsThenColumnsAndReportsAnEmptySelection) {
  table_show_view(table(), test_view, false);
  EXPECT_EQ(owner.props_queries, 1);
  EXPECT_EQ(owner.column_queries, 1);
  ASSERT_EQ(owner.notices.size(), 1u);
  EXPECT_EQ(owner.notices[0].code, TQ_SELECTED);
  EXPECT_EQ(owner.notices[0].selection.view, test_view);
  EXPECT_EQ(owner.notices[0].selection.row_count, 0);
  EXPECT_EQ(layout().props.view, test_view);
  EXPECT_TRUE(surface.has_pending);
}

TEST_F(LayoutTest, OwnerWithNothingToShowLeavesAnEmptyWindow) {
  show();
  table_scroll_rows(table(), 5);
  owner.shows_nothing = true;
  table_show_view(table(), test_view + 1, false);
  EXPECT_EQ(table().layout, nullptr);
  EXPECT_EQ(surface.scroll_maximum[0], 0);
  EXPECT_EQ(surface.scroll_maximum[1], 0);
  EXPECT_TRUE(surface.has_pending);
  EXPECT_EQ(table_key(table(), key_down, false), KeyUse::ignored);
  EXPECT_EQ(table_scroll_position(table(), true, 3), 0);
}

TEST_F(LayoutTest, ResetTellsTheOwnerWhichViewIsDroppedButLayoutDoesNot) {
  show();
  table_show_view(table(), test_view + 1, false);
  EXPECT_TRUE(owner.notices_of(TQ_CLOSE).empty());

  table_show_view(table(), test_view + 2, true);
  ASSERT_EQ(owner.notices_of(TQ_CLOSE).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_CLOSE)[0].value, test_view + 1);

  owner.forget();
  table_show_view(table(), 0, true);
  ASSERT_EQ(owner.notices_of(TQ_CLOSE).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_CLOSE)[0].value, test_view + 2);
  EXPECT_EQ(owner.props_queries, 0);
  EXPECT_EQ(table().layout, nullptr);

  table_close(table());
  EXPECT_EQ(owner.notices_of(TQ_CLOSE).size(), 1u);
}

TEST_F(LayoutTest, SlotWidthsComeFromPixelWidthsDefaultsOrTextLength) {
  owner.props.column_count = 4;
  owner.columns = {plain_column(5),
                   column_with(5, prop_width, 33),
                   column_with(9, prop_font, 10),
                   plain_column(0)};
  show();
  EXPECT_EQ(layout().positions[0].slot_width, (5 + 1) * 8 + 2);
  EXPECT_EQ(layout().positions[1].slot_width, 33 + 2);
  EXPECT_EQ(layout().positions[2].slot_width, (9 + 1) * 10 + 2);
  EXPECT_EQ(layout().positions[3].slot_width, 8 + 2);
  EXPECT_EQ(layout().total_width, 50 + 35 + 102 + 10);

  owner.props.defaults.flags = prop_width;
  owner.props.defaults.width = 60;
  show();
  EXPECT_EQ(layout().positions[0].slot_width, 62);
  EXPECT_EQ(layout().positions[1].slot_width, 35);  // the column's own width wins
}

TEST_F(LayoutTest, RowHeightFromDefaultsOrFontHeightPlusLeading) {
  show();
  EXPECT_EQ(layout().row_height, 16);
  EXPECT_EQ(layout().char_width, 8);

  owner.props.defaults.flags = prop_row_height | prop_font;
  owner.props.defaults.row_height = 25;
  owner.props.defaults.font = fake_font(6);
  show();
  EXPECT_EQ(layout().row_height, 25);
  EXPECT_EQ(layout().char_width, 6);
  EXPECT_EQ(layout().visible_rows, 470 / 25 + 1);
  EXPECT_EQ(layout().rows[3].top, 75);
  EXPECT_EQ(layout().rows[3].bottom, 100);
}

TEST_F(LayoutTest, FixedColumnsStayWhileOthersScrollBehindThem) {
  // slots: 90 each, 5 columns = 450 in a client of 200.
  owner.props.column_count = 5;
  TableTest::surface.width = 200;
  show();
  const std::vector<ColumnPosition>& at = layout().positions;
  EXPECT_EQ(at[0].start_x, 1);
  EXPECT_EQ(at[0].end_x, 89);
  EXPECT_EQ(at[1].start_x, 91);
  EXPECT_EQ(at[1].end_x, 179);
  EXPECT_EQ(surface.scroll_maximum[1], 450 - 200);

  table_scroll_pixels(table(), 100);
  EXPECT_EQ(at[0].start_x, 1);
  EXPECT_EQ(at[1].start_x, -9);
  EXPECT_EQ(at[1].visible_start_x, 90);
  EXPECT_EQ(at[2].start_x, 81);
  EXPECT_EQ(at[2].visible_start_x, 90);
  EXPECT_EQ(at[3].start_x, 171);
  EXPECT_EQ(surface.scroll_position[1], 100);

  table_scroll_pixels(table(), 1000);
  EXPECT_EQ(layout().horizontal_offset, 250);
  table_horizontal_request(table(), scroll_page_back, 0);
  EXPECT_EQ(layout().horizontal_offset, 250 - 200 * 2 / 3);
  table_horizontal_request(table(), scroll_line_back, 0);
  EXPECT_EQ(layout().horizontal_offset, 250 - 133 - 8);
  table_horizontal_request(table(), scroll_thumb_position, 7);
  EXPECT_EQ(layout().horizontal_offset, 7);
}

TEST_F(LayoutTest, GrowingTheWindowBringsTheOffsetBackIntoRange) {
  show();
  table_scroll_rows(table(), 1000);
  EXPECT_EQ(layout().scroll_offset, 100 - 30 + 1);
  surface.height = 470 + 10 * 16;
  table_resize(table());
  EXPECT_EQ(layout().visible_rows, 40);
  EXPECT_EQ(layout().scroll_offset, 100 - 40 + 1);
  EXPECT_EQ(surface.scroll_maximum[0], 61);
  EXPECT_EQ(surface.scroll_position[0], 61);
}

TEST_F(LayoutTest, ImpossibleOwnerAnswersAreMadeSafe) {
  owner.props.row_count = -5;
  owner.props.column_count = 2;
  owner.props.fixed_columns = 7;
  owner.props.fixed_rows = -1;
  owner.props.defaults.flags = prop_row_height;
  owner.props.defaults.row_height = 0;
  owner.columns = {plain_column(-3), plain_column(1 << 30)};
  surface.height = 40;
  show();
  EXPECT_EQ(layout().props.row_count, 0);
  EXPECT_EQ(layout().props.fixed_columns, 2);
  EXPECT_EQ(layout().props.fixed_rows, 0);
  EXPECT_EQ(layout().row_height, 1);
  EXPECT_EQ(layout().columns[0].text_length, 0);
  EXPECT_EQ(layout().columns[1].text_length, table_max_text_length);
  EXPECT_EQ(layout().visible_rows, 41);
  key(key_down);
  key(key_page_down);
  key(key_end, true);
  EXPECT_EQ(selection().row_count, 0);
}

TEST_F(LayoutTest, RowMappingKeepsFixedRowsInPlace) {
  owner.props.fixed_rows = 2;
  show();
  table_scroll_rows(table(), 10);
  EXPECT_EQ(layout_row_at(layout(), 0), 0);
  EXPECT_EQ(layout_row_at(layout(), 1), 1);
  EXPECT_EQ(layout_row_at(layout(), 2), 12);
  EXPECT_EQ(layout_index_of(layout(), 1), 1);
  EXPECT_EQ(layout_index_of(layout(), 12), 2);
  EXPECT_EQ(layout_index_of(layout(), 11), -1);
  EXPECT_EQ(layout_index_of(layout(), 10 + 30), -1);
  EXPECT_EQ(layout_index_of(layout(), 10 + 29), 29);
  EXPECT_EQ(layout_index_of(layout(), -1), -1);
}

}  // namespace
