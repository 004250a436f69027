// Keys and the mouse: what they select and scroll, what the owner is told,
// and resizing a column by dragging its end.
#include "twyndle/ui/tests/table_fixture.h"

namespace {

using KeyTest = TableTest;

TEST_F(KeyTest, ArrowsMoveTheSelectionAndKeepItOnScreen) {
  show();
  key(key_down);
  EXPECT_EQ(selected_row(), 0);
  EXPECT_EQ(selection().column_count, 3);
  for (int i = 0; i < 29; ++i) key(key_down);
  EXPECT_EQ(selected_row(), 29);  // was the partly visible last entry
  EXPECT_EQ(layout_index_of(layout(), 29), 28);
  EXPECT_EQ(owner.notices_of(TQ_SELECTED).size(), 30u);

  scroll(40);
  key(key_up);  // from off screen: to the top
  EXPECT_EQ(selected_row(), 28);
  EXPECT_EQ(layout_index_of(layout(), 28), 0);
  key(key_down, true);  // with Ctrl: nothing selected, one row scrolled
  EXPECT_EQ(selected_row(), -1);
  EXPECT_EQ(owner.selected_row(), -1);
  EXPECT_EQ(layout().scroll_offset, 29);
  key(key_up, true);
  EXPECT_EQ(layout().scroll_offset, 28);
}

TEST_F(KeyTest, PagesHomeAndEndSelectRowsOfTheNewScreen) {
  show();
  key(key_page_down);
  EXPECT_EQ(layout().scroll_offset, 27);
  EXPECT_EQ(selected_row(), 27 + 29);
  key(key_page_down);
  key(key_page_down);
  key(key_page_down);
  EXPECT_EQ(selected_row(), 99);  // the last screen: never past the end
  key(key_page_up);
  EXPECT_EQ(selected_row(), 71 - 27);
  key(key_end);
  EXPECT_EQ(selected_row(), 44 + 29);
  key(key_home);
  EXPECT_EQ(selected_row(), 44);
  key(key_end, true);
  EXPECT_EQ(selected_row(), 99);
  EXPECT_EQ(layout_index_of(layout(), 99), 28);
  key(key_home, true);
  EXPECT_EQ(layout().scroll_offset, 0);
  EXPECT_EQ(selected_row(), 0);
}

TEST_F(KeyTest, OutsideWholeRowModeKeysSelectOneCell) {
  owner.props.selection_flags = 0;
  show();
  key(key_page_down);
  EXPECT_EQ(selection().start_column, 2);
  EXPECT_EQ(selection().column_count, 1);
  key(key_home);
  EXPECT_EQ(selection().start_column, 1);  // the first column after the fixed one
  key(key_right);
  key(key_right);
  EXPECT_EQ(selection().start_column, 0);
  EXPECT_EQ(selected_row(), 28);
}

TEST_F(KeyTest, EnterSpaceAndSidewaysKeys) {
  surface.width = 200;  // 270 wide: 70 pixels to scroll
  show();
  key(key_return);
  EXPECT_TRUE(owner.notices_of(TQ_ENTER).empty());
  key(key_space);
  EXPECT_EQ(selected_row(), 0);
  scroll(50);
  key(key_return);
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 0);
  EXPECT_EQ(layout().scroll_offset, 0);  // scrolled back into view
  key(key_space);
  EXPECT_EQ(selected_row(), -1);
  EXPECT_TRUE(surface.inverted.empty());

  key(key_right);
  EXPECT_EQ(layout().horizontal_offset, 8);
  key(key_right, true);
  EXPECT_EQ(layout().horizontal_offset, 70);
  key(key_left, true);
  EXPECT_EQ(layout().horizontal_offset, 0);
  EXPECT_EQ(table_key(surface.table, 0x1B, false), KeyUse::to_owner);  // Escape
  EXPECT_EQ(table_key(surface.table, 0x73, false), KeyUse::to_owner);  // F4
}

class MouseTest : public TableTest {
 protected:
  void click(int32_t x, int32_t y) {
    table_button_down(surface.table, x, y);
    table_button_up(surface.table, x, y);
  }
};

TEST_F(MouseTest, PressingShowsTheRowReleasingOnItReportsIt) {
  owner.props.row_count = 10;
  show();
  table_button_down(surface.table, 150, mid(4));
  EXPECT_TRUE(surface.captured);
  EXPECT_TRUE(owner.notices.empty());
  table_mouse_move(surface.table, 150, mid(7));
  EXPECT_FALSE(surface.shows_inverted(row_band(4)));
  table_mouse_move(surface.table, 20, mid(4));  // whole rows: any column will do
  EXPECT_TRUE(surface.shows_inverted(row_band(4)));
  table_button_up(surface.table, 300, mid(4));
  EXPECT_FALSE(surface.captured);
  EXPECT_EQ(owner.selected_row(), 4);

  click(40, mid(6));  // the fixed column: nothing
  EXPECT_EQ(owner.notices.size(), 1u);
  EXPECT_EQ(selected_row(), 4);

  table_button_down(surface.table, 150, mid(5));
  table_mouse_move(surface.table, 150, mid(8));
  table_button_up(surface.table, 150, mid(8));  // released elsewhere: nothing selected
  EXPECT_EQ(owner.selected_row(), -1);
  click(150, mid(20));  // below the last row: nothing selected
  EXPECT_EQ(owner.notices.size(), 3u);
  EXPECT_EQ(owner.selected_row(), -1);
  EXPECT_TRUE(surface.inverted.empty());
}

TEST_F(MouseTest, DoubleClickSelectsAndEntersExceptOnFixedCells) {
  show();
  table_double_click(surface.table, 40, mid(6));
  EXPECT_TRUE(owner.notices.empty());
  table_double_click(surface.table, 150, mid(3));
  ASSERT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
  EXPECT_EQ(owner.notices_of(TQ_ENTER)[0].selection.start_row, 3);
  EXPECT_TRUE(surface.shows_inverted(row_band(3)));

  owner.props.fixed_selectable = 1;
  show();
  table_double_click(surface.table, 40, mid(6));
  EXPECT_EQ(owner.notices_of(TQ_ENTER).size(), 1u);
}

TEST_F(MouseTest, DraggingAColumnEndResizesItBehindADottedLine) {
  show();
  table_mouse_move(surface.table, 180, 5);  // column 1 ends at 179
  EXPECT_EQ(surface.pointer, TablePointer::resize);
  table_mouse_move(surface.table, 181, 5);
  EXPECT_EQ(surface.pointer, TablePointer::arrow);

  table_button_down(surface.table, 179, mid(2));
  EXPECT_EQ(surface.xor_lines_shown(), (std::vector<int32_t>{91, 179}));
  table_mouse_move(surface.table, 219, mid(5));
  table_mouse_move(surface.table, 80, mid(5));   // left of the column: ignored
  table_mouse_move(surface.table, 400, mid(5));  // past the client: ignored
  EXPECT_EQ(surface.xor_lines_shown(), (std::vector<int32_t>{91, 219}));
  table_button_up(surface.table, 400, mid(5));
  EXPECT_FALSE(surface.captured);
  EXPECT_TRUE(surface.xor_lines_shown().empty());
  EXPECT_EQ(layout().positions[1].end_x, 219);
  EXPECT_EQ(layout().positions[2].start_x, 221);
  EXPECT_TRUE(owner.notices.empty());

  table_button_down(surface.table, 219, mid(2));
  table_mouse_move(surface.table, 250, mid(2));
  table_cancel_drag(surface.table);  // the mouse was taken away: no change
  EXPECT_TRUE(surface.xor_lines_shown().empty());
  EXPECT_EQ(layout().positions[1].end_x, 219);
  click(150, mid(6));
  EXPECT_EQ(selected_row(), 6);
}

}  // namespace
