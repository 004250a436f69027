// Painting cells: text clean-up, tabs, alignment, inherited properties,
// colours and rules.
#include "twyndle/ui/tests/table_fixture.h"

#include <cstring>

namespace {

class PaintTest : public TableTest {
 protected:
  PaintTest() : TableTest(5, 3) {
    owner.columns = {plain_column(10), plain_column(40),
                     plain_column(10)};
  }

  // The pieces drawn for one cell, in order.
  std::vector<DrawnText> drawn_in(int32_t row, int32_t column) {
    const ColumnPosition& at = layout().positions[column];
    std::vector<DrawnText> found;
    for (const DrawnText& text : surface.texts)
      if (text.y == top_of(row) && text.clip.left == at.visible_start_x) found.push_back(text);
    return found;
  }

  // Shows one text in cell (0, 1), everything else empty.
  void show_text(const std::string& text) {
    owner.text = [text](int32_t row, int32_t column) {
      return row == 0 && column == 1 ? text : std::string();
    };
    table_show_view(table(), test_view, false);
    surface.paint_pending();
  }
};

TEST_F(PaintTest, CarriageReturnAndLineFeedAreDrawnAsBlanks) {
  show_text("one\r\ntwo");
  std::vector<DrawnText> pieces = drawn_in(0, 1);
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0].text, "one  two");
}

TEST_F(PaintTest, TabsMoveToTheNextMultipleOfEightCharacters) {
  // Column 1 starts at 91; left-aligned text starts half a character in.
  show_text("ab\tc\t\tdefghijk\tl");
  std::vector<DrawnText> pieces = drawn_in(0, 1);
  ASSERT_EQ(pieces.size(), 4u);
  int32_t left = 91 + 4;
  EXPECT_EQ(pieces[0].x, left);
  EXPECT_EQ(pieces[1].text, "c");
  EXPECT_EQ(pieces[1].x, left + 64);
  EXPECT_EQ(pieces[2].text, "defghijk");
  EXPECT_EQ(pieces[2].x, left + 192);
  EXPECT_EQ(pieces[3].x, left + 192 + 128);  // a piece ending on a stop moves a full step
  EXPECT_EQ(pieces[0].clip.right, layout().positions[1].end_x);
}

TEST_F(PaintTest, TabStepFollowsTheCellsFont) {
  owner.columns = {plain_column(10),
                   column_with(10, prop_font, 5)};
  show_text("a\tb");
  std::vector<DrawnText> pieces = drawn_in(0, 1);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].x - pieces[0].x, 40);
  EXPECT_EQ(pieces[1].style.font, fake_font(5));
}

TEST_F(PaintTest, AlignmentPlacesTextInTheSlot) {
  // Slot of column 1: starts at 91, 90 wide; "abc" is 24 wide.
  const int32_t alignments[] = {align_left, align_right, align_centre};
  const int32_t expected[] = {91 + 4, 91 + 90 - 4 - 24, 91 + (90 - 24) / 2};
  for (int i = 0; i < 3; ++i) {
    owner.columns = {plain_column(10),
                     column_with(10, prop_alignment, alignments[i])};
    surface.texts.clear();
    show_text("abc");
    ASSERT_EQ(drawn_in(0, 1).size(), 1u);
    EXPECT_EQ(drawn_in(0, 1)[0].x, expected[i]) << "alignment " << alignments[i];
  }
}

TEST_F(PaintTest, CentredTextWithTabsIsCentredOnItsTabbedWidth) {
  owner.columns = {plain_column(10),
                   column_with(10, prop_alignment, align_centre)};
  show_text("a\tb");  // 64 + 8 wide
  EXPECT_EQ(drawn_in(0, 1)[0].x, 91 + (90 - 72) / 2);
}

TEST_F(PaintTest, UnsetPropertiesComeFromTheColumnThenTheDefaults) {
  const TableColour red = table_rgb(255, 0, 0);
  const TableColour navy = table_rgb(0, 0, 128);
  const TableColour yellow = table_rgb(255, 255, 0);
  owner.props.defaults.flags = prop_background | prop_text_colour;
  owner.props.defaults.background = yellow;
  owner.props.defaults.text_colour = navy;
  owner.columns = {plain_column(10),
                   column_with(10, prop_text_colour, static_cast<int32_t>(red))};
  owner.style = [&](int32_t row, int32_t column, CellText& cell) {
    if (row == 1 && column == 1) {
      cell.flags |= prop_text_colour;
      cell.text_colour = navy;
    }
  };
  table_show_view(table(), test_view, false);
  surface.paint_pending();

  const CellText& plain = layout().rows[0].cells[1];
  EXPECT_EQ(plain.text_colour, red);
  EXPECT_EQ(plain.background, yellow);
  EXPECT_EQ(plain.flags & (prop_text_colour | prop_background),
            prop_text_colour | prop_background);
  EXPECT_EQ(layout().rows[1].cells[1].text_colour, navy);
  EXPECT_EQ(layout().rows[0].cells[0].text_colour, navy);

  ASSERT_FALSE(drawn_in(0, 1).empty());
  EXPECT_TRUE(drawn_in(0, 1)[0].style.has_background);
  EXPECT_EQ(drawn_in(0, 1)[0].style.colour, red);
  EXPECT_EQ(surface.fills.size(), 30u * 3u);  // every cell, past the end too
}

TEST_F(PaintTest, TheOwnerCannotRedirectOrOverrunTheCellBuffer) {
  static char elsewhere[] = "not the table's";
  owner.style = [&](int32_t row, int32_t column, CellText& cell) {
    if (row != 0 || column != 1) return;
    std::memset(cell.text, 'x', static_cast<size_t>(cell.buffer_length));  // no terminator
    cell.text = elsewhere;
    cell.buffer_length = 1000;
  };
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  const CellText& cell = layout().rows[0].cells[1];
  EXPECT_NE(cell.text, elsewhere);
  EXPECT_EQ(cell.buffer_length, 40);
  EXPECT_EQ(drawn_in(0, 1)[0].text, std::string(39, 'x'));
}

TEST_F(PaintTest, RowsPastTheEndAreNotAskedAndDrawNothing) {
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  for (const CellQuery& query : owner.cell_queries) EXPECT_LT(query.row, 5);
  EXPECT_EQ(owner.cell_queries.size(), 5u * 2u);  // column 2 is right of the window
  for (const DrawnText& text : surface.texts) EXPECT_LT(text.y, 5 * test_row_height);
  EXPECT_TRUE(layout().rows[7].cells[1].valid);
}

TEST_F(PaintTest, RulesFollowTheFixedColumnsAndRows) {
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  ASSERT_EQ(surface.lines.size(), 2u);  // drawn before and after the cells
  EXPECT_EQ(surface.lines[0].left, 90);
  EXPECT_EQ(surface.lines[0].right, 90);
  EXPECT_EQ(surface.lines[0].bottom, 470);

  owner.props.fixed_rows = 2;
  owner.props.fixed_columns = 0;
  surface.lines.clear();
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  ASSERT_EQ(surface.lines.size(), 2u);
  EXPECT_EQ(surface.lines[0].top, 2 * test_row_height - 1);
  EXPECT_EQ(surface.lines[0].right, 400);

  owner.props.rule_under_fixed_rows = 0;
  surface.lines.clear();
  table_show_view(table(), test_view, false);
  surface.paint_pending();
  EXPECT_TRUE(surface.lines.empty());
}

TEST_F(PaintTest, OnlyRowsMeetingTheUpdateAreaArePainted) {
  show();
  surface.invalidate(TableRect{0, 3 * test_row_height + 2, 400, 4 * test_row_height + 1});
  surface.paint_pending();
  ASSERT_FALSE(surface.texts.empty());
  for (const DrawnText& text : surface.texts)
    EXPECT_TRUE(text.y == top_of(3) || text.y == top_of(4)) << text.y;
}

}  // namespace
