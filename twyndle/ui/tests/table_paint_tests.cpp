// Painting cells: text clean-up, tabs, alignment, inherited properties and
// rules, and an owner that misuses the cell record.
#include "twyndle/ui/tests/table_fixture.h"

#include <cstring>

namespace {

class PaintTest : public TableTest {
 protected:
  PaintTest() { owner.props.row_count = 5; }

  // Shows one text in cell (0, 1) of a 40-character column, and returns
  // the pieces drawn for it.
  std::vector<DrawnText> show_text(const std::string& text, ColumnProps column = {40, {}}) {
    owner.columns = {ColumnProps{10, {}}, column};
    owner.text = [text](int32_t row, int32_t c) { return row == 0 && c == 1 ? text : ""; };
    table_show_view(surface.table, test_view, false);
    surface.paint_pending();
    std::vector<DrawnText> pieces;
    for (const DrawnText& drawn : surface.texts)
      if (drawn.y == 0 && drawn.clip.left == 91) pieces.push_back(drawn);
    surface.texts.clear();
    return pieces;
  }
};

TEST_F(PaintTest, LineBreaksBecomeBlanksAndTabsMoveToTheNextEightCharacterStop) {
  std::vector<DrawnText> pieces = show_text("one\r\ntwo");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].text, "one  two");

  pieces = show_text("ab\tc\t\tdefghijk\tl");
  ASSERT_EQ(pieces.size(), 4u);
  int32_t left = 91 + 4;  // half a character into the slot
  EXPECT_EQ(pieces[0].x, left);
  EXPECT_EQ(pieces[1].x, left + 64);
  EXPECT_EQ(pieces[2].text, "defghijk");
  EXPECT_EQ(pieces[2].x, left + 192);
  EXPECT_EQ(pieces[3].x, left + 320);  // a piece ending on a stop moves a whole step
  EXPECT_EQ(pieces[0].clip.right, layout().positions[1].end_x);

  pieces = show_text("a\tb", column_with(10, prop_font, 5));
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].x - pieces[0].x, 40);
  EXPECT_EQ(pieces[1].style.font, fake_font(5));
}

TEST_F(PaintTest, AlignmentPlacesTheTabbedTextInTheSlot) {
  // Slot of column 1: from 91, 90 wide. "abc" is 24 wide, "a\tb" 72.
  EXPECT_EQ(show_text("abc", column_with(10, prop_alignment, align_left))[0].x, 91 + 4);
  EXPECT_EQ(show_text("abc", column_with(10, prop_alignment, align_right))[0].x, 91 + 90 - 4 - 24);
  EXPECT_EQ(show_text("abc", column_with(10, prop_alignment, align_centre))[0].x, 91 + 33);
  EXPECT_EQ(show_text("a\tb", column_with(10, prop_alignment, align_centre))[0].x, 91 + 9);
}

TEST_F(PaintTest, UnsetPropertiesComeFromTheColumnThenTheDefaults) {
  const TableColour red = table_rgb(255, 0, 0);
  const TableColour navy = table_rgb(0, 0, 128);
  owner.props.defaults.flags = prop_background | prop_text_colour;
  owner.props.defaults.background = table_rgb(255, 255, 0);
  owner.props.defaults.text_colour = navy;
  owner.style = [&](int32_t row, int32_t column, CellText& cell) {
    if (row != 1 || column != 1) return;
    cell.flags |= prop_text_colour;
    cell.text_colour = navy;
  };
  std::vector<DrawnText> pieces = show_text("x", column_with(10, prop_text_colour, red));
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].style.colour, red);
  EXPECT_TRUE(pieces[0].style.has_background);
  EXPECT_EQ(pieces[0].style.background, table_rgb(255, 255, 0));
  EXPECT_EQ(layout().rows[1].cells[1].text_colour, navy);  // the cell's own wins
  EXPECT_EQ(layout().rows[0].cells[0].text_colour, navy);  // no column colour
  EXPECT_EQ(surface.fills, 30 * 3);  // every cell on screen, past the end too
}

TEST_F(PaintTest, TheOwnerCannotRedirectOrOverrunTheCellBuffer) {
  static char elsewhere[] = "not the table's";
  owner.style = [&](int32_t row, int32_t column, CellText& cell) {
    if (row != 0 || column != 1) return;
    std::memset(cell.text, 'x', static_cast<size_t>(cell.buffer_length));  // no terminator
    cell.text = elsewhere;
    cell.buffer_length = 1000;
  };
  EXPECT_EQ(show_text("")[0].text, std::string(39, 'x'));
  EXPECT_NE(layout().rows[0].cells[1].text, elsewhere);
  EXPECT_EQ(layout().rows[0].cells[1].buffer_length, 40);
}

TEST_F(PaintTest, RowsPastTheEndAreNotAskedFor) {
  show();
  surface.invalidate_all();
  surface.paint_pending();
  EXPECT_TRUE(owner.rows_asked.empty());
  table_show_view(surface.table, test_view, false);
  surface.paint_pending();
  for (int32_t row : owner.rows_asked) EXPECT_LT(row, 5);
  for (const DrawnText& text : surface.texts) EXPECT_LT(text.y, 5 * row_height);
  EXPECT_TRUE(layout().rows[7].cells[1].valid);
}

TEST_F(PaintTest, RulesFollowTheFixedColumnsAndRowsWhenAskedFor) {
  show();
  surface.invalidate_all();
  surface.paint_pending();
  ASSERT_EQ(surface.lines.size(), 2u);  // before and after the cells
  EXPECT_EQ(surface.lines[0].left, 90);
  EXPECT_EQ(surface.lines[0].bottom, 470);

  owner.props.fixed_rows = 2;
  owner.props.fixed_columns = 0;
  show();
  surface.invalidate_all();
  surface.paint_pending();
  ASSERT_EQ(surface.lines.size(), 2u);
  EXPECT_EQ(surface.lines[0].top, 2 * row_height - 1);
  EXPECT_EQ(surface.lines[0].right, 400);

  owner.props.rule_under_fixed_rows = 0;
  show();
  surface.invalidate_all();
  surface.paint_pending();
  EXPECT_TRUE(surface.lines.empty());
}

}  // namespace
