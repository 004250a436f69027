// The selection: drawing it by inversion, reporting it, scrolling it into
// view, and owners that answer a notice by changing the table.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

class SelectTest : public TableTest {
 protected:
  void select_row(int32_t row) {
    TableSelection wanted{test_view, row, 2, 1, 1};
    table_select_row(surface.table, &wanted);
    surface.paint_pending();
  }
};

TEST_F(SelectTest, SelectMessageTakesTheWholeRowAndKeepsItInTheMiddleBand) {
  show();
  select_row(20);  // 30 rows: the band is indexes 6 to 24
  EXPECT_EQ(layout().scroll_offset, 0);
  select_row(50);
  EXPECT_EQ(layout().scroll_offset, 44);
  EXPECT_EQ(selection().start_column, 0);
  EXPECT_EQ(selection().column_count, 3);
  EXPECT_TRUE(surface.shows_inverted(row_band(6)));
  EXPECT_EQ(surface.inverted.size(), 1u);
  std::vector<OwnerNotice> selected = owner.notices_of(TQ_SELECTED);
  ASSERT_EQ(selected.size(), 2u);
  EXPECT_EQ(selected[1].selection.start_row, 50);

  select_row(100);  // past the end: an empty selection, reported, nothing drawn
  EXPECT_EQ(selection().row_count, 0);
  EXPECT_EQ(selection().view, test_view);
  EXPECT_EQ(owner.selected_row(), -1);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(SelectTest, FirstColumnOnlyHighlightFramesTheOtherColumns) {
  owner.props.selection_flags = select_whole_row | select_first_column_only;
  show();
  select_row(2);
  EXPECT_TRUE(surface.shows_inverted(TableRect{1, top_of(2), 89, top_of(3)}));
  ASSERT_EQ(surface.frames.size(), 1u);
  EXPECT_EQ(surface.frames[0].left, 91);
  EXPECT_EQ(surface.frames[0].right, 269);
  select_row(4);  // framing again removes the old frame
  EXPECT_EQ(surface.frames.size(), 3u);
  EXPECT_EQ(surface.inverted.size(), 1u);
}

TEST_F(SelectTest, TheHighlightMovesWithScrollingAndComesBackWithItsRow) {
  show();
  select_row(10);
  scroll(3);
  EXPECT_TRUE(surface.shows_inverted(row_band(7)));
  scroll(40);
  surface.paint_pending();
  EXPECT_TRUE(surface.inverted.empty());
  scroll(-43);
  surface.paint_pending();
  EXPECT_TRUE(surface.shows_inverted(row_band(10)));
  EXPECT_EQ(surface.inverted.size(), 1u);
}

TEST_F(SelectTest, MovingWrapsColumnsAndStopsAtTheFixedRowsAndTheEnd) {
  owner.props.selection_flags = 0;
  owner.props.fixed_columns = 0;
  owner.props.fixed_rows = 1;
  show();
  table_select(surface.table, 5, 2, 1, 1, SelectNotice::selected);
  table_move_selection(surface.table, 0, 1, false);
  EXPECT_EQ(selection().start_row, 6);
  EXPECT_EQ(selection().start_column, 0);
  table_move_selection(surface.table, 0, -1, false);
  EXPECT_EQ(selection().start_row, 5);
  EXPECT_EQ(selection().start_column, 2);
  EXPECT_TRUE(surface.shows_inverted(TableRect{181, top_of(5), 269, top_of(6)}));
  table_move_selection(surface.table, -10, 0, false);
  EXPECT_EQ(selection().start_row, 1);
  table_move_selection(surface.table, 500, 0, true);
  EXPECT_EQ(selection().start_row, 99);

  owner.props.fixed_selectable = 1;
  show();
  table_select(surface.table, 1, 0, 1, 1, SelectNotice::selected);
  table_move_selection(surface.table, -1, 0, false);
  EXPECT_EQ(selection().start_row, 0);
}

TEST_F(SelectTest, OwnersMayAnswerNoticesByChangingTheTable) {
  show();
  owner.on_notice = [&](const OwnerNotice& notice) {
    if (notice.code == TQ_SELECTED && notice.selection.start_row == 7) select_row(3);
    if (notice.code == TQ_ENTER) table_show_view(surface.table, test_view + 1, false);
  };
  select_row(7);
  EXPECT_EQ(selection().start_row, 3);
  EXPECT_TRUE(surface.shows_inverted(row_band(3)));
  EXPECT_EQ(surface.inverted.size(), 1u);
  key(key_return);
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 3);
  EXPECT_EQ(layout().props.view, test_view + 1);
  EXPECT_EQ(selection().row_count, 0);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(SelectTest, ShowingAnotherViewWhileTheMouseIsHeldReleasesIt) {
  show();
  table_button_down(surface.table, 150, mid(4));
  EXPECT_TRUE(surface.captured);
  table_show_view(surface.table, test_view + 1, true);
  EXPECT_FALSE(surface.captured);
  table_button_up(surface.table, 150, mid(4));
  EXPECT_EQ(layout().drag, DragState::idle);
}

}  // namespace
