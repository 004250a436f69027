// The selection: storing, drawing by inversion, reporting, scrolling it
// into view, and an owner that changes the view while it is told.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

class SelectTest : public TableTest {
 protected:
  // Whole-row highlight of a cache index: column 0's start to column 2's end.
  static TableRect row_band(int32_t index) {
    return TableRect{1, top_of(index), 269, top_of(index) + test_row_height};
  }

  void select_row(int32_t row) {
    TableSelection wanted{test_view, row, 0, 1, 1};
    table_select_row(table(), &wanted);
    surface.paint_pending();
  }
};

TEST_F(SelectTest, SelectMessageSelectsTheWholeRowReportsItAndCentresIt) {
  show();
  select_row(50);
  EXPECT_EQ(selection().start_row, 50);
  EXPECT_EQ(selection().start_column, 0);
  EXPECT_EQ(selection().row_count, 1);
  EXPECT_EQ(selection().column_count, 3);
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED)[0].selection.start_row, 50);
  // 30 visible rows: the band is cache indexes 6 to 24.
  EXPECT_EQ(layout().scroll_offset, 44);
  EXPECT_EQ(layout_index_of(layout(), 50), 6);
  EXPECT_TRUE(surface.shows_inverted(row_band(6)));
  EXPECT_EQ(surface.inverted.size(), 1u);
}

TEST_F(SelectTest, RowsInsideTheMiddleBandDoNotScroll) {
  show();
  select_row(20);
  EXPECT_EQ(layout().scroll_offset, 0);
  select_row(5);  // above the band: scrolled down to index 6, as far as it goes
  EXPECT_EQ(layout().scroll_offset, 0);
  EXPECT_TRUE(surface.shows_inverted(row_band(5)));
  EXPECT_FALSE(surface.shows_inverted(row_band(20)));
  select_row(25);  // below the band
  EXPECT_EQ(layout().scroll_offset, 19);
}

TEST_F(SelectTest, SelectingPastTheEndStoresAndReportsAnEmptySelection) {
  show();
  select_row(3);
  owner.forget();
  select_row(100);
  EXPECT_EQ(selection().row_count, 0);
  EXPECT_EQ(selection().start_row, 0);
  EXPECT_EQ(selection().view, test_view);
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED)[0].selection.row_count, 0);
  EXPECT_TRUE(surface.inverted.empty());
  EXPECT_EQ(layout().scroll_offset, 0);
}

TEST_F(SelectTest, FirstColumnOnlyHighlightFramesTheOtherColumns) {
  owner.props.selection_flags = select_whole_row | select_first_column_only;
  show();
  select_row(2);
  EXPECT_TRUE(surface.shows_inverted(TableRect{1, top_of(2), 89, top_of(3)}));
  ASSERT_EQ(surface.frames.size(), 1u);
  EXPECT_EQ(surface.frames[0].left, 91);
  EXPECT_EQ(surface.frames[0].right, 269);
  select_row(4);  // the old frame is drawn again to remove it
  EXPECT_EQ(surface.frames.size(), 3u);
  EXPECT_FALSE(surface.shows_inverted(TableRect{1, top_of(2), 89, top_of(3)}));
}

TEST_F(SelectTest, TheHighlightMovesWithScrollingAndComesBackWithTheRow) {
  show();
  select_row(10);
  table_scroll_rows(table(), 3);
  EXPECT_TRUE(surface.shows_inverted(row_band(7)));
  table_scroll_rows(table(), 40);
  surface.paint_pending();
  EXPECT_TRUE(surface.inverted.empty());
  table_scroll_rows(table(), -43);
  surface.paint_pending();
  EXPECT_TRUE(surface.shows_inverted(row_band(10)));
  EXPECT_EQ(surface.inverted.size(), 1u);
}

TEST_F(SelectTest, ColumnsWrapIntoNeighbouringRowsOutsideWholeRowMode) {
  owner.props.selection_flags = 0;
  owner.props.fixed_columns = 0;
  show();
  table_select(table(), 5, 2, 1, 1, SelectNotice::selected);
  table_move_selection(table(), 0, 1, false);
  EXPECT_EQ(selection().start_row, 6);
  EXPECT_EQ(selection().start_column, 0);
  table_move_selection(table(), 0, -1, false);
  EXPECT_EQ(selection().start_row, 5);
  EXPECT_EQ(selection().start_column, 2);
  EXPECT_TRUE(surface.shows_inverted(TableRect{181, top_of(5), 269, top_of(6)}));
}

TEST_F(SelectTest, MovingStopsAtTheFixedRowsAndTheEnd) {
  owner.props.fixed_rows = 1;
  show();
  table_select(table(), 1, 0, 1, 1, SelectNotice::selected);
  table_move_selection(table(), -1, 0, false);
  EXPECT_EQ(selection().start_row, 1);
  table_select(table(), 99, 0, 1, 1, SelectNotice::selected);
  table_move_selection(table(), 1, 0, true);
  EXPECT_EQ(selection().start_row, 99);

  owner.props.fixed_selectable = 1;
  show();
  table_select(table(), 1, 0, 1, 1, SelectNotice::selected);
  table_move_selection(table(), -1, 0, false);
  EXPECT_EQ(selection().start_row, 0);
}

TEST_F(SelectTest, AnOwnerThatShowsANewViewOnEnterGetsItShownCleanly) {
  show();
  select_row(3);
  owner.on_notice = [&](const OwnerNotice& notice) {
    if (notice.code == TQ_ENTER) table_show_view(table(), test_view + 1, false);
  };
  key(key_return);
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 3);
  EXPECT_EQ(layout().props.view, test_view + 1);
  EXPECT_EQ(selection().row_count, 0);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(SelectTest, AnOwnerThatAnswersASelectionWithAnotherKeepsTheLastOne) {
  show();
  owner.on_notice = [&](const OwnerNotice& notice) {
    if (notice.code == TQ_SELECTED && notice.selection.start_row == 7) select_row(12);
  };
  select_row(7);
  EXPECT_EQ(selection().start_row, 12);
  EXPECT_TRUE(surface.shows_inverted(row_band(12)));
  EXPECT_EQ(surface.inverted.size(), 1u);
}

TEST_F(SelectTest, ShowingAnotherViewWhileTheMouseIsHeldReleasesIt) {
  show();
  table_button_down(table(), 150, top_of(4) + 3);
  EXPECT_TRUE(surface.captured);
  table_show_view(table(), test_view + 1, true);
  EXPECT_FALSE(surface.captured);
  table_button_up(table(), 150, top_of(4) + 3);
  EXPECT_EQ(layout().drag, DragState::idle);
}

}  // namespace
