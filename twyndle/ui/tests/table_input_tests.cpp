// Keys and the mouse: what gets selected, what gets scrolled, what the
// owner is told, and resizing a column by dragging its end.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

class KeyTest : public TableTest {
 protected:
  int32_t selected_row() { return selection().row_count ? selection().start_row : -1; }
};

TEST_F(KeyTest, DownSelectsTheFirstRowThenMovesAndKeepsItAboveTheBottom) {
  show();
  key(key_down);
  EXPECT_EQ(selected_row(), 0);
  EXPECT_EQ(selection().column_count, 3);
  for (int i = 0; i < 28; ++i) key(key_down);
  EXPECT_EQ(selected_row(), 28);
  EXPECT_EQ(layout().scroll_offset, 0);
  key(key_down);  // row 29 is the partly visible last entry
  EXPECT_EQ(selected_row(), 29);
  EXPECT_EQ(layout_index_of(layout(), 29), 28);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED).size(), 30u);
}

TEST_F(KeyTest, UpStopsAtTheTopAndScrollsASelectionAboveTheScreenToTheTop) {
  show();
  key(key_down);
  key(key_up);
  EXPECT_EQ(selected_row(), 0);
  TableSelection wanted{test_view, 40, 0, 1, 1};
  table_select_row(table(), &wanted);
  table_scroll_rows(table(), 20);
  key(key_up);
  EXPECT_EQ(selected_row(), 39);
  EXPECT_EQ(layout_index_of(layout(), 39), 0);
}

TEST_F(KeyTest, ControlUpAndDownDropTheSelectionAndScrollOneRow) {
  show();
  key(key_down);
  key(key_down, true);
  EXPECT_EQ(selected_row(), -1);
  EXPECT_EQ(layout().scroll_offset, 1);
  EXPECT_EQ(owner.notices.back().selection.row_count, 0);
  key(key_up, true);
  EXPECT_EQ(layout().scroll_offset, 0);
}

TEST_F(KeyTest, PageDownSelectsTheLastRowOnScreenButNeverPastTheEnd) {
  show();
  key(key_page_down);
  EXPECT_EQ(layout().scroll_offset, 27);
  EXPECT_EQ(selected_row(), 27 + 29);
  key(key_page_down);
  key(key_page_down);
  EXPECT_EQ(layout().scroll_offset, 71);
  EXPECT_EQ(selected_row(), 99);
  key(key_page_down);
  EXPECT_EQ(selected_row(), 99);
  key(key_page_up);
  EXPECT_EQ(layout().scroll_offset, 71 - 27);
  EXPECT_EQ(selected_row(), 44);
}

TEST_F(KeyTest, PageDownAndEndOutsideWholeRowModeTakeTheLastColumn) {
  owner.props.selection_flags = 0;
  show();
  key(key_page_down);
  EXPECT_EQ(selection().start_column, 2);
  EXPECT_EQ(selection().column_count, 1);
  key(key_page_up);
  EXPECT_EQ(selection().start_column, 1);  // the first column after the fixed one
  key(key_end);
  EXPECT_EQ(selection().start_column, 2);
}

TEST_F(KeyTest, HomeAndEndWithAndWithoutControl) {
  show();
  table_scroll_rows(table(), 30);
  key(key_home);
  EXPECT_EQ(selected_row(), 30);
  EXPECT_EQ(layout().scroll_offset, 30);
  key(key_end);
  EXPECT_EQ(selected_row(), 59);
  key(key_end, true);
  EXPECT_EQ(selected_row(), 99);
  EXPECT_EQ(layout_index_of(layout(), 99), 28);
  key(key_home, true);
  EXPECT_EQ(layout().scroll_offset, 0);
  EXPECT_EQ(selected_row(), 0);
}

TEST_F(KeyTest, EnterReportsTheSelectionOnlyWhenThereIsOne) {
  show();
  key(key_return);
  EXPECT_TRUE(owner.notices_of(TQ_ENTER).empty());
  key(key_down);
  key(key_down);
  table_scroll_rows(table(), 50);
  key(key_return);
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 1);
  EXPECT_EQ(layout_index_of(layout(), 1), 0);  // scrolled back to the top
}

TEST_F(KeyTest, SpaceTogglesBetweenNothingAndTheFirstCell) {
  show();
  table_scroll_rows(table(), 5);
  key(key_space);
  EXPECT_EQ(selected_row(), 5);
  key(key_space);
  EXPECT_EQ(selected_row(), -1);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(KeyTest, LeftAndRightScrollSidewaysInWholeRowMode) {
  surface.width = 200;  // 270 wide: 70 to scroll
  show();
  key(key_right);
  EXPECT_EQ(layout().horizontal_offset, 8);
  key(key_right, true);
  EXPECT_EQ(layout().horizontal_offset, 70);
  key(key_left);
  EXPECT_EQ(layout().horizontal_offset, 62);
  key(key_left, true);
  EXPECT_EQ(layout().horizontal_offset, 0);
}

TEST_F(KeyTest, OtherKeysGoToTheOwner) {
  show();
  EXPECT_EQ(table_key(table(), 0x1B, false), KeyUse::to_owner);  // Escape
  EXPECT_EQ(table_key(table(), 0x73, false), KeyUse::to_owner);  // F4
  EXPECT_EQ(table_key(table(), key_down, false), KeyUse::used);
}

class MouseTest : public TableTest {
 protected:
  void click(int32_t x, int32_t y) {
    table_button_down(table(), x, y);
    table_button_up(table(), x, y);
    surface.paint_pending();
  }
  static int32_t mid(int32_t index) { return top_of(index) + test_row_height / 2; }
  static TableRect row_band(int32_t index) {
    return TableRect{1, top_of(index), 269, top_of(index) + test_row_height};
  }
};

TEST_F(MouseTest, ClickingACellSelectsItsRowAndReportsItOnRelease) {
  show();
  table_button_down(table(), 150, mid(4));
  EXPECT_TRUE(surface.captured);
  EXPECT_EQ(selection().start_row, 4);
  EXPECT_TRUE(owner.notices.empty());
  table_button_up(table(), 152, mid(4) + 3);
  EXPECT_FALSE(surface.captured);
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED)[0].selection.start_row, 4);
  EXPECT_TRUE(surface.shows_inverted(row_band(4)));
}

TEST_F(MouseTest, ClicksInTheFixedColumnSelectNothing) {
  show();
  click(150, mid(2));
  owner.forget();
  click(40, mid(6));
  EXPECT_TRUE(owner.notices.empty());
  EXPECT_FALSE(surface.captured);
  EXPECT_EQ(selection().start_row, 2);
  table_double_click(table(), 40, mid(6));
  EXPECT_TRUE(owner.notices.empty());
}

TEST_F(MouseTest, ClickingBelowTheLastRowReportsAnEmptySelection) {
  owner.props.row_count = 5;
  show();
  click(150, mid(2));
  owner.forget();
  click(150, mid(8));
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED)[0].selection.row_count, 0);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(MouseTest, MovingOffThePressedRowHidesItAndReleasingThereSelectsNothing) {
  show();
  table_button_down(table(), 150, mid(4));
  table_mouse_move(table(), 150, mid(7));
  EXPECT_FALSE(surface.shows_inverted(row_band(4)));
  table_mouse_move(table(), 300, mid(4));  // right of the columns: still the row
  EXPECT_TRUE(surface.shows_inverted(row_band(4)));
  table_mouse_move(table(), 150, mid(7) + 5);
  table_mouse_move(table(), 20, mid(4));  // the fixed column is part of the row
  EXPECT_TRUE(surface.shows_inverted(row_band(4)));
  table_mouse_move(table(), 150, mid(9));
  table_button_up(table(), 150, mid(9));
  ASSERT_EQ(owner.notices_of(TQ_SELECTED).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED)[0].selection.row_count, 0);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(MouseTest, OutsideWholeRowModeTheSameRowInAnotherColumnIsOffTheCell) {
  owner.props.selection_flags = 0;
  show();
  table_button_down(table(), 150, mid(4));
  table_mouse_move(table(), 200, mid(4));
  table_button_up(table(), 200, mid(4));
  EXPECT_EQ(owner.notices_of(TQ_SELECTED).back().selection.row_count, 0);
}

TEST_F(MouseTest, DoubleClickSelectsAndEnters) {
  show();
  table_double_click(table(), 150, mid(3));
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 3);
  EXPECT_TRUE(surface.shows_inverted(row_band(3)));

  owner.props.fixed_selectable = 1;
  show();
  table_double_click(table(), 40, mid(6));
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 6);
}

TEST_F(MouseTest, ThePointerShowsWhereAColumnEndCanBeDragged) {
  show();
  table_mouse_move(table(), 178, 5);  // column 1 ends at 179
  EXPECT_EQ(surface.pointer, TablePointer::resize);
  table_mouse_move(table(), 181, 5);  // column 2 starts at 181
  EXPECT_EQ(surface.pointer, TablePointer::arrow);
  table_mouse_move(table(), 180, 5);
  EXPECT_EQ(surface.pointer, TablePointer::resize);
  table_mouse_move(table(), 120, 5);
  EXPECT_EQ(surface.pointer, TablePointer::arrow);
}

TEST_F(MouseTest, DraggingAColumnEndFortyPixelsWidensItAndMovesTheLaterOnes) {
  show();
  table_button_down(table(), 179, mid(2));
  EXPECT_TRUE(surface.captured);
  EXPECT_EQ(surface.xor_lines_shown(), (std::vector<int32_t>{91, 179}));
  table_mouse_move(table(), 199, mid(2));
  table_mouse_move(table(), 219, mid(5));
  EXPECT_EQ(surface.xor_lines_shown(), (std::vector<int32_t>{91, 219}));
  table_mouse_move(table(), 80, mid(5));   // left of the column: ignored
  table_mouse_move(table(), 400, mid(5));  // past the client: ignored
  table_button_up(table(), 400, mid(5));
  surface.paint_pending();

  EXPECT_FALSE(surface.captured);
  EXPECT_TRUE(surface.xor_lines_shown().empty());
  EXPECT_EQ(layout().columns[1].props.width, 128);
  EXPECT_TRUE(layout().columns[1].props.flags & prop_width);
  EXPECT_EQ(layout().positions[1].end_x, 219);
  EXPECT_EQ(layout().positions[2].start_x, 181 + 40);
  EXPECT_EQ(layout().total_width, 270 + 40);
  EXPECT_TRUE(owner.notices.empty());
}

TEST_F(MouseTest, LosingTheMouseInTheMiddleOfADragEndsIt) {
  show();
  table_button_down(table(), 179, mid(2));
  table_mouse_move(table(), 190, mid(2));
  table_cancel_drag(table());
  EXPECT_TRUE(surface.xor_lines_shown().empty());
  EXPECT_EQ(layout().drag, DragState::idle);
  EXPECT_EQ(layout().positions[1].end_x, 179);

  table_button_down(table(), 150, mid(3));
  table_cancel_drag(table());
  EXPECT_EQ(layout().drag, DragState::idle);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED).back().selection.row_count, 0);
  click(150, mid(6));
  EXPECT_EQ(selection().start_row, 6);
}

TEST_F(MouseTest, WithoutALayoutTheMouseDoesNothing) {
  owner.shows_nothing = true;
  table_show_view(table(), test_view, false);
  click(150, mid(3));
  table_double_click(table(), 150, mid(3));
  table_mouse_move(table(), 179, 5);
  EXPECT_EQ(surface.pointer, TablePointer::arrow);
  EXPECT_FALSE(surface.captured);
  EXPECT_TRUE(owner.notices.empty());
}

}  // namespace
