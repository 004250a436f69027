// Expanded listings of real file compares: rows, numbers, marks, the
// display options, changes, colours and the way back to the outline.
#include <gtest/gtest.h>

#include "twyndle/engine/tests/option_guard.h"
#include "twyndle/ui/tests/view_fixture.h"

namespace {

using Texts = std::vector<std::string>;

struct Expanded : ViewTest {
  // Compares two files and expands the one item.
  void expand(const std::vector<std::string>& left_lines, const std::vector<std::string>& right_lines) {
    view = compare_into_view(left.write("l.txt", text_lines(left_lines)),
                             right.write("r.txt", text_lines(right_lines)), sink);
    sink.notices.clear();
    ASSERT_TRUE(view_expand(view, 0));
  }
  // Every row's state as a string of marks.
  std::string marks() {
    std::string shown;
    for (int32_t row = 0; row < view_row_count(view); ++row) shown += view_cell_text(view, row, 1);
    return shown;
  }
};

// Left a b c d x, right a c b d y z: c moved, x and y z on one side each.
const std::vector<std::string> moved_left = {"a", "b", "c", "d", "x"};
const std::vector<std::string> moved_right = {"a", "c", "b", "d", "y", "z"};

TEST_F(Expanded, ShowsAllFiveMarksWithLeftNumbersAndSignedMovedNumbers) {
  expand(moved_left, moved_right);
  EXPECT_EQ(sink.messages(), (std::vector<uint32_t>{TM_LAYOUT}));  // no selection
  ASSERT_EQ(view_row_count(view), 8);
  EXPECT_EQ(row_texts(view, 0), (Texts{"1", "    ", "a", "-"}));
  EXPECT_EQ(row_texts(view, 1), (Texts{"(3)", " -> ", "c", "-"}));
  EXPECT_EQ(row_texts(view, 2), (Texts{"2", "    ", "b", "-"}));
  EXPECT_EQ(row_texts(view, 3), (Texts{"3", " <- ", "c", "-"}));
  EXPECT_EQ(row_texts(view, 5), (Texts{"5", " <! ", "x", "-"}));
  EXPECT_EQ(row_texts(view, 7), (Texts{"-", " !> ", "z", "-"}));  // 0 stays 0
  EXPECT_STREQ(view_cell_text(view, 0, 2), "a\r\n");  // the line as read
  std::vector<int32_t> left_numbers, right_numbers;
  for (int32_t row = 0; row < 8; ++row) {
    left_numbers.push_back(view_left_number(view, row));
    right_numbers.push_back(view_right_number(view, row));
  }
  EXPECT_EQ(left_numbers, (std::vector<int32_t>{1, -3, 2, 3, 4, 5, 0, 0}));
  EXPECT_EQ(right_numbers, (std::vector<int32_t>{1, 2, 3, -2, 4, 0, 5, 6}));
  EXPECT_EQ(view_row_state(view, 1), MovedRightLines);
  EXPECT_EQ(view_left_number(view, 8), 0);
  EXPECT_TRUE(view_is_expanded(view));
  EXPECT_STREQ(view_current_name(view), ".\\l.txt : .\\r.txt");
  EXPECT_EQ(view_current_item(view, 99), list_first(compare_list_items(view_list(view))));
}

TEST_F(Expanded, SideBySidePutsEachSideInItsOwnColumn) {
  OptionGuard sides(&ProgramState::side_by_side, 1);
  expand(moved_left, moved_right);
  EXPECT_EQ(row_texts(view, 0), (Texts{"1", "    ", "a", "a"}));
  EXPECT_EQ(row_texts(view, 1), (Texts{"(3)", " -> ", "", "c"}));
  EXPECT_EQ(row_texts(view, 3), (Texts{"3", " <- ", "c", ""}));
  EXPECT_EQ(row_texts(view, 5), (Texts{"5", " <! ", "x", ""}));
  EXPECT_EQ(row_texts(view, 6), (Texts{"-", " !> ", "", "y"}));
  TableProps props{};
  ASSERT_TRUE(view_answer_props(view, &props));
  EXPECT_EQ(props.column_count, 4);
  EXPECT_EQ(props.selection_flags, select_whole_row | select_first_column_only);
}

TEST_F(Expanded, OnlyChangesShowsWhereEqualLinesWereLeftOut) {
  OptionGuard only(&ProgramState::only_changes, 1);
  expand(moved_left, moved_right);
  // a | c moved | b | c moved | d | x | y z: each equal run is one row.
  EXPECT_EQ(marks(), "    " " -> " "    " " <- " "    " " <! " " !> " " !> ");
  EXPECT_EQ(row_texts(view, 0), (Texts{"1", "    ", "... 1 equal line left out ...", "-"}));
  EXPECT_EQ(row_texts(view, 4), (Texts{"4", "    ", "... 1 equal line left out ...", "-"}));
  EXPECT_EQ(view_left_number(view, 4), 4) << "the row names the first line left out";
  EXPECT_EQ(view_right_number(view, 4), 4);
  EXPECT_EQ(view_left_number(view, 5), 5);
  EXPECT_EQ(view_row_state(view, 0), Equal);
}

TEST_F(Expanded, OnlyChangesStillFindsEveryChangeBlock) {
  // Three changes apart from each other: without the rows for the lines
  // left out they would run together into one block.
  std::vector<std::string> left_lines, right_lines;
  for (int i = 1; i <= 30; ++i) {
    left_lines.push_back("line " + std::to_string(i));
    right_lines.push_back(i % 10 == 5 ? "changed " + std::to_string(i) : "line " + std::to_string(i));
  }
  OptionGuard only(&ProgramState::only_changes, 1);
  expand(left_lines, right_lines);
  ASSERT_EQ(view_row_count(view), 10) << "4 runs left out and 3 changes of two rows";
  EXPECT_EQ(row_texts(view, 3), (Texts{"6", "    ", "... 9 equal lines left out ...", "-"}));
  std::vector<int32_t> forward;
  for (int32_t row = view_find_change(view, 0, true); row >= 0; row = view_find_change(view, row, true)) {
    forward.push_back(row);
  }
  EXPECT_EQ(forward, (std::vector<int32_t>{1, 4, 7}));
  std::vector<int32_t> backward;
  for (int32_t row = view_find_change(view, 9, false); row >= 0; row = view_find_change(view, row, false)) {
    backward.push_back(row);
  }
  EXPECT_EQ(backward, (std::vector<int32_t>{8, 5, 2}));
  OptionGuard sides(&ProgramState::side_by_side, 1);
  EXPECT_EQ(row_texts(view, 3), (Texts{"6", "    ", "... 9 equal lines left out ...",
                                       "... 9 equal lines left out ..."}));
}

TEST_F(Expanded, EqualFilesWithOnlyChangesHaveNoRowsAndNoChanges) {
  OptionGuard only(&ProgramState::only_changes, 1);
  expand({"a", "b"}, {"a", "b"});
  EXPECT_EQ(view_row_count(view), 0);
  EXPECT_EQ(view_find_change(view, 0, true), -1);
  EXPECT_EQ(view_cell_text(view, 0, 2), nullptr);
}

// Left 1 2 3 4 5, right 1 2 X 4 5: one block of two changed rows.
TEST_F(Expanded, FindsTheNextBlockForwardAndThePreviousBlocksLastRowBackward) {
  expand({"1", "2", "3", "4", "5"}, {"1", "2", "X", "4", "5"});
  EXPECT_EQ(marks(), std::string(8, ' ') + " <!  !> " + std::string(8, ' '));
  EXPECT_EQ(view_find_change(view, 0, true), 2);
  EXPECT_EQ(view_find_change(view, 2, true), -1);  // the rest of its own block is skipped
  EXPECT_EQ(view_find_change(view, 5, false), 3);
  EXPECT_EQ(view_find_change(view, 2, false), -1);
  EXPECT_EQ(view_find_change(view, 6, false), 3);
}

TEST_F(Expanded, ColoursEachChangedRowByItsState) {
  OptionGuard marks(&ProgramState::colour_marks, 1);
  expand(moved_left, moved_right);
  struct Expect { int32_t row, flags; TableColour text, background; };
  const int32_t both = prop_text_colour | prop_background;
  const Expect expected[] = {
      {0, 0, 0, 0},
      {1, both, table_rgb(0, 0, 255), table_rgb(255, 255, 0)},
      {3, both, table_rgb(0, 0, 128), table_rgb(255, 0, 0)},
      {5, both, table_rgb(0, 0, 0), table_rgb(255, 0, 0)},
      {6, both, table_rgb(0, 0, 0), table_rgb(255, 255, 0)},
  };
  for (const Expect& e : expected) {
    char buffer[4];
    CellText cell{4, buffer, 0, 0, 0, nullptr, 0, 0, 0};
    TableCellsQuery query{1, e.row, 2, 1, &cell};
    ASSERT_TRUE(view_answer_cells(view, &query, false));
    EXPECT_EQ(cell.flags, e.flags) << "row " << e.row;
    EXPECT_EQ(cell.text_colour, e.text) << "row " << e.row;
    EXPECT_EQ(cell.background, e.background) << "row " << e.row;
  }
}

TEST_F(Expanded, WidthsFollowTheLongestLineWithTabsExpanded) {
  expand({"\tab", "x"}, {"\tab", "y"});
  EXPECT_EQ(view_column_width(view, 1), 5);
  EXPECT_EQ(view_column_width(view, 2), 12);  // 8 for the tab, 2 letters, CR and LF
}

TEST_F(Expanded, RefusesASecondExpandAndGoesBackSelectingTheExpandedItem) {
  left.write("a", "1\r\n");
  left.write("b", "b\r\n");
  right.write("b", "c\r\n");
  view = compare_into_view(left.path(), right.path(), sink);
  EXPECT_FALSE(view_expand(view, 2));
  EXPECT_FALSE(view_expand(view, -1));
  ASSERT_TRUE(view_expand(view, 1));
  sink.notices.clear();
  EXPECT_FALSE(view_expand(view, 0));  // already expanded: nothing changes
  EXPECT_EQ(view_row_count(view), 2);   // b, c
  EXPECT_TRUE(sink.notices.empty());
  view_outline(view);
  ASSERT_EQ(sink.messages(), (std::vector<uint32_t>{TM_LAYOUT, TM_SELECT}));
  const TableSelection& selection = sink.notices[1].selection;
  EXPECT_EQ(selection.view, reinterpret_cast<intptr_t>(view));
  EXPECT_EQ(selection.start_row, 1);
  EXPECT_EQ(selection.row_count, 1);
  EXPECT_EQ(selection.column_count, 1);
  EXPECT_EQ(view_row_count(view), 2);
  EXPECT_FALSE(view_is_expanded(view));
}

TEST_F(Expanded, AFileGoneSinceTheScanLeavesTheOutlineAsItWas) {
  view = compare_into_view(left.write("a", "1\r\n"), right.write("b", "2\r\n"), sink);
  left.remove("a");
  sink.notices.clear();
  EXPECT_FALSE(view_expand(view, 0));
  EXPECT_FALSE(view_is_expanded(view));
  EXPECT_EQ(view_row_count(view), 1);
  EXPECT_STREQ(view_cell_text(view, 0, 1), ".\\a : .\\b");
  EXPECT_TRUE(sink.notices.empty());
}

}  // namespace
