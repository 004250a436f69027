// The outline of a directory compare: rows as the scan appends them, the
// notices the table gets, widths, changes and the answers to the table.
#include <gtest/gtest.h>

#include <cstdio>

#include "twyndle/engine/program_state.h"
#include "twyndle/engine/tests/option_guard.h"
#include "twyndle/ui/tests/view_fixture.h"

namespace {

using Texts = std::vector<std::string>;

// Left and right folders: a.c identical, b.c and d.c of different sizes,
// c.c of equal size but other bytes (a change too), one file only on each
// side in sub.
struct OutlineCompare : ViewTest {
  void SetUp() override {
    for (const char* name : {"a.c", "c.c"}) {
      left.write(name, "same\r\n");
      right.write(name, name[0] == 'a' ? "same\r\n" : "diff\r\n");
    }
    left.write("b.c", "short\r\n");
    right.write("b.c", "longer\r\n");
    left.write("d.c", "a\r\nb\r\n");
    right.write("d.c", "a\r\n");
    left.write("sub\\left.c", "l\r\n");
    right.write("sub\\right.c", "r\r\n");
    view = compare_into_view(left.path(), right.path(), sink);
  }
};

TEST_F(OutlineCompare, ListsEveryItemWithNumberNameAndTagInListOrder) {
  ASSERT_EQ(view_row_count(view), 6);
  EXPECT_EQ(row_texts(view, 0), (Texts{"1", ".\\a.c", "identical", "-"}));
  EXPECT_EQ(row_texts(view, 1), (Texts{"2", ".\\b.c", "different sizes", "-"}));
  EXPECT_EQ(row_texts(view, 2), (Texts{"3", ".\\c.c", "same size", "-"}));
  EXPECT_EQ(row_texts(view, 4), (Texts{"5", ".\\sub\\left.c", "only in " + left.path(), "-"}));
  EXPECT_EQ(row_texts(view, 5), (Texts{"6", ".\\sub\\right.c", "only in " + right.path(), "-"}));
  EXPECT_EQ(view_row_state(view, 3), SizesDiffer);
  EXPECT_EQ(view_row_state(view, 4), LeftFileOnly);
  EXPECT_EQ(view_row_state(view, 6), 0);
  EXPECT_EQ(view_cell_text(view, 6, 1), nullptr);
  EXPECT_EQ(view_cell_text(view, -1, 1), nullptr);
  EXPECT_STREQ(item_name(view_current_item(view, 1)), ".\\b.c");
  EXPECT_EQ(view_current_item(view, 6), nullptr);
  EXPECT_FALSE(view_is_expanded(view));
  EXPECT_EQ(view_current_name(view), nullptr);
  EXPECT_EQ(view_left_number(view, 1), 0);
  EXPECT_EQ(sink.titles, (Texts{left.path() + " : " + right.path()}));
}

TEST_F(OutlineCompare, SecondListIsRefusedAndChangesNothing) {
  CompareList* other = compare_paths(left.path().c_str(), right.path().c_str(), nullptr, 1);
  ASSERT_NE(other, nullptr);
  size_t notices = sink.notices.size();
  EXPECT_EQ(view_attach_list(view, other), 0);
  EXPECT_NE(view_list(view), other);
  EXPECT_EQ(view_row_count(view), 6);
  EXPECT_EQ(sink.notices.size(), notices);
  EXPECT_EQ(view_attach_list(nullptr, other), 0) << "no View takes it";
  EXPECT_EQ(view_items_added(nullptr), 0);
  compare_list_release(other);
}

TEST_F(OutlineCompare, FindsDifferingPairsOnlyAndNeverLooksBeforeRowOne) {
  EXPECT_EQ(view_find_change(view, 0, true), 1);
  EXPECT_EQ(view_find_change(view, 1, true), 1);  // the start row itself counts
  EXPECT_EQ(view_find_change(view, 2, true), 2) << "same size, other bytes";
  EXPECT_EQ(view_find_change(view, 3, true), 3);
  EXPECT_EQ(view_find_change(view, 4, true), -1);  // one-sided items are no change
  EXPECT_EQ(view_find_change(view, 6, true), -1);
  EXPECT_EQ(view_find_change(view, 5, false), 3);
  EXPECT_EQ(view_find_change(view, 2, false), 2);
  EXPECT_EQ(view_find_change(view, 1, false), 1);
  EXPECT_EQ(view_find_change(view, 0, false), -1);
  EXPECT_EQ(view_find_change(view, 60, false), 3);
  EXPECT_EQ(view_find_change(nullptr, 1, true), -1);
}

TEST_F(OutlineCompare, AnswersTheTableWithShapeColumnsAndColouredCells) {
  TableProps props{};
  props.view = 77;
  ASSERT_TRUE(view_answer_props(view_for_query(1, view), &props));
  EXPECT_EQ(props.view, 77);
  EXPECT_EQ(props.row_count, 6);
  EXPECT_EQ(props.column_count, 3);
  EXPECT_EQ(props.fixed_columns, 1);
  EXPECT_EQ(props.fixed_selectable, 0);
  EXPECT_EQ(props.selection_flags, select_whole_row);
  EXPECT_EQ(props.report_top_row, 1);
  EXPECT_FALSE(view_answer_props(view_for_query(0, view), &props));

  OptionGuard marks(&ProgramState::colour_marks, 1);
  char buffers[3][8];
  CellText cells[3];
  // As the table asks: every cell with its buffer, an empty text, no flags.
  auto ask = [&](int32_t row, bool printing) {
    for (int i = 0; i < 3; ++i) cells[i] = CellText{8, buffers[i], 0, 0, 0, nullptr, 0, 0, 0};
    for (auto& buffer : buffers) std::snprintf(buffer, sizeof buffer, "old");
    TableCellsQuery query{reinterpret_cast<intptr_t>(view), row, 0, 3, cells};
    return view_answer_cells(view, &query, printing);
  };
  ASSERT_TRUE(ask(1, false));
  EXPECT_STREQ(buffers[1], ".\\b.c");
  EXPECT_STREQ(buffers[2], "differe");  // cut to the buffer, terminated
  EXPECT_EQ(cells[0].flags, prop_text_colour);
  EXPECT_EQ(cells[2].text_colour, table_rgb(255, 0, 0));
  ASSERT_TRUE(ask(1, true));
  EXPECT_EQ(cells[0].flags, 0);  // no colours on paper
  ASSERT_TRUE(ask(0, false));
  EXPECT_EQ(cells[1].flags, 0);  // identical rows keep the table's colours
  ASSERT_TRUE(ask(6, false));
  EXPECT_STREQ(buffers[1], "");
}

TEST(OutlineWidths, ColumnOneAddsAOneTwentiethAndTheTableGetsOneMore) {
  TempFolder left, right;
  std::string name(38, 'n');  // ".\" + 38 characters = a 40-character name
  left.write(name, "x");
  left.write("b", "y");
  RecordingSink sink;
  View* view = compare_into_view(left.path(), right.path(), sink);
  EXPECT_EQ(view_column_width(view, 0), 5);
  EXPECT_EQ(view_column_width(view, 1), 42);
  int32_t tag = static_cast<int32_t>(("only in " + left.path()).size());
  EXPECT_EQ(view_column_width(view, 2), tag);
  EXPECT_EQ(view_column_width(view, 3), tag);
  EXPECT_EQ(view_column_width(view, -1), 0);

  ColumnProps columns[3] = {};
  TableFont font = reinterpret_cast<TableFont>(0x1234);
  TableColumnsQuery query{reinterpret_cast<intptr_t>(view), 0, 3, columns};
  ASSERT_TRUE(view_answer_columns(view, &query, font));
  EXPECT_EQ(columns[0].text_length, 6);
  EXPECT_EQ(columns[1].text_length, 43);
  EXPECT_EQ(columns[2].text_length, tag + 1);
  EXPECT_EQ(columns[0].props.alignment, align_centre);
  EXPECT_EQ(columns[1].props.alignment, align_left);
  EXPECT_EQ(columns[2].props.flags, prop_alignment | prop_font);
  EXPECT_EQ(columns[2].props.font, font);
  view_delete(view);
}

// a.c, b.c, d.c identical; c.c of another size: the first item and the
// third widen the columns, the others only add a row.
TEST(OutlineGrowth, AppendsRowsAndKeepsTheTopRowWhenAColumnWidens) {
  TempFolder left, right;
  for (const char* name : {"a.c", "b.c", "c.c", "d.c"}) {
    left.write(name, "1\r\n");
    right.write(name, name[0] == 'c' ? "12\r\n" : "1\r\n");
  }
  for (intptr_t top : {intptr_t{7}, intptr_t{-1}}) {
    RecordingSink sink;
    sink.top_row = top;
    View* view = compare_into_view(left.path(), right.path(), sink);
    std::vector<uint32_t> widened = {TM_SCROLLPOS, TM_LAYOUT};
    if (top >= 0) widened.push_back(TM_SCROLLPOS);
    std::vector<uint32_t> expected = {TM_LAYOUT};
    expected.insert(expected.end(), widened.begin(), widened.end());
    expected.push_back(TM_APPEND);
    expected.insert(expected.end(), widened.begin(), widened.end());
    expected.push_back(TM_APPEND);
    EXPECT_EQ(sink.messages(), expected);
    EXPECT_EQ(sink.notices.back().wparam, 4u);
    EXPECT_EQ(sink.notices.back().lparam, reinterpret_cast<intptr_t>(view));
    const Notice& after_first = sink.notices[3];  // scroll back to row 7, or the second row
    EXPECT_EQ(after_first.wparam, top >= 0 ? 1u : 2u);
    if (top >= 0) {
      EXPECT_EQ(after_first.lparam, 7);
    }
    EXPECT_EQ(sink.sent_under_lock, 0);
    view_delete(view);
  }
}

TEST(OutlineGrowth, EmptyFoldersGiveNoRowsAndNoChanges) {
  TempFolder left, right;
  RecordingSink sink;
  View* view = compare_into_view(left.path(), right.path(), sink);
  EXPECT_EQ(view_row_count(view), 0);
  EXPECT_EQ(view_find_change(view, 0, true), -1);
  EXPECT_EQ(view_find_change(view, 0, false), -1);
  EXPECT_EQ(sink.messages(), (std::vector<uint32_t>{TM_LAYOUT}));
  view_delete(view);
}

TEST(OutlineGrowth, AnAbortBeforeThePairingMakesNoItem) {
  TempFolder left, right;
  for (const char* name : {"a", "b", "c"}) left.write(name, "x");
  RecordingSink sink;
  program.abort_requested = 1;
  View* view = compare_into_view(left.path(), right.path(), sink);
  program.abort_requested = 0;
  EXPECT_EQ(view_row_count(view), 0);
  EXPECT_EQ(view_items_added(view), 0);
  view_delete(view);
}

TEST(ViewWithoutList, ShowsNothingAndReleaseResetsTheTable) {
  RecordingSink sink;
  View* view = view_create(&sink);
  EXPECT_EQ(view_outline(view), 0);  // no list yet: nothing to show
  view_release(view);
  EXPECT_EQ(sink.messages(), (std::vector<uint32_t>{TM_RESET}));
  EXPECT_EQ(sink.notices[0].lparam, 0);
  view_delete(view);
}

}  // namespace
