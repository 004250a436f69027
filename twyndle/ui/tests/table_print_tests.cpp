// Printing the table onto a fake printer: page geometry, page count and
// range, header and footer templates, clipping, the document calls, cancel
// and page errors, and the screen layout left as it was.
#include "twyndle/engine/program_state.h"
#include "twyndle/ui/tests/fake_printer.h"
#include "twyndle/ui/tests/table_fixture.h"

namespace {

// A4 at 600 pixels per inch: 23 pixels per millimetre both ways.
constexpr DeviceCaps a4_at_600{4960, 7016, 210, 297};
// The table box at 600 dpi with the default margins is 6326 pixels high:
// rows of 126 pixels make 50 rows per page.
constexpr int32_t rows_of_50 = 126;

class PrintTest : public TableTest {
 protected:
  PrintTest() : printer(owner, a4_at_600) {
    owner.props.row_count = 120;
    owner.props.defaults.flags = prop_row_height;
    owner.props.defaults.row_height = rows_of_50;
    header.flags = prop_alignment;
    header.alignment = align_centre;
    header.text = "left : right";
    footer.flags = prop_alignment;
    footer.alignment = align_right;
    footer.text = "Page # of $";
  }

  // Shows the table on screen (as the window has it), then prints it.
  PrintResult print(const PageRange* range = nullptr) {
    if (!surface.table.layout) show();
    request = PrintRequest{0, &header, &footer, nullptr, nullptr};
    return table_print(surface.table, printer, &progress, &request, range);
  }

  // The footer text printed on a page (the last text drawn there).
  std::string footer_on(int32_t page) const {
    std::vector<DrawnText> texts = printer.texts_on(page);
    return texts.empty() ? "" : texts.back().text;
  }

  // Column 0's cells of a page: their clip starts one pixel into the table
  // box (as the header's and the footer's do, but those lie outside it).
  std::vector<std::string> first_column_on(int32_t page) const { return cells_of(printer, page, 116); }

  static std::vector<std::string> cells_of(const FakePrinter& device, int32_t page, int32_t left) {
    std::vector<std::string> found;
    for (const DrawnText& drawn : device.texts_on(page))
      if (drawn.clip.left == left && drawn.clip.top >= 345 && drawn.clip.bottom <= 6671)
        found.push_back(drawn.text);
    return found;
  }

  FakePrinter printer;
  FakeProgress progress;
  PrintLine header{};
  PrintLine footer{};
  PrintRequest request{};
};

std::vector<std::string> rows_text(int32_t first, int32_t last, int32_t column) {
  std::vector<std::string> texts;
  for (int32_t row = first; row <= last; ++row)
    texts.push_back("r" + std::to_string(row) + "c" + std::to_string(column));
  return texts;
}

TEST(PageGeometry, MarginsInPixelsFromTheDevicesResolutionAndSize) {
  PageGeometry at_600 = page_geometry(a4_at_600, default_print_margins);
  EXPECT_EQ(at_600.pixels_per_mm_x, 23);  // 4960 / 210, cut
  EXPECT_EQ(at_600.pixels_per_mm_y, 23);  // 7016 / 297, cut
  EXPECT_EQ(at_600.page.left, 115);
  EXPECT_EQ(at_600.page.right, 4960 - 115);
  EXPECT_EQ(at_600.page.top, 115);
  EXPECT_EQ(at_600.page.bottom, 7016 - 115);
  EXPECT_EQ(at_600.table.top - at_600.page.top, 230);  // the header band
  EXPECT_EQ(at_600.page.bottom - at_600.table.bottom, 230);
  EXPECT_EQ(at_600.table.left, at_600.page.left);
  EXPECT_EQ(at_600.table.right, at_600.page.right);

  // The PDF printer under Wine: 2479 x 3508 pixels on 209 x 297 mm.
  PrintMargins wide{20, 10, 0, 30, 0, 5};
  PageGeometry pdf = page_geometry(DeviceCaps{2479, 3508, 209, 297}, wide);
  EXPECT_EQ(pdf.pixels_per_mm_x, 11);
  EXPECT_EQ(pdf.pixels_per_mm_y, 11);
  EXPECT_EQ(pdf.page.left, 220);
  EXPECT_EQ(pdf.page.right, 2479 - 110);
  EXPECT_EQ(pdf.table.top, 0);
  EXPECT_EQ(pdf.table.bottom, 3508 - 330 - 55);

  // A device that reports no size gives no pixels per millimetre instead of
  // dividing by zero.
  EXPECT_EQ(page_geometry(DeviceCaps{100, 100, 0, 0}, default_print_margins).pixels_per_mm_x, 0);
}

TEST(PageCount, WholePagesBelowTheFixedRows) {
  EXPECT_EQ(print_page_count(120, 0, 50), 3);
  EXPECT_EQ(print_page_count(100, 0, 50), 2);
  EXPECT_EQ(print_page_count(101, 0, 50), 3);
  EXPECT_EQ(print_page_count(1, 0, 50), 1);
  EXPECT_EQ(print_page_count(0, 0, 50), 0);
  // Two fixed rows repeat on every page: 48 new rows per page.
  EXPECT_EQ(print_page_count(98, 2, 50), 2);
  EXPECT_EQ(print_page_count(99, 2, 50), 3);
  EXPECT_EQ(print_page_count(2, 2, 50), 0);
  // A page that holds only the fixed rows can show nothing of the rest.
  EXPECT_EQ(print_page_count(10, 3, 3), 0);
}

TEST(PageTemplate, HashIsThePageAndDollarTheCount) {
  EXPECT_EQ(expand_page_template("Page # of $", 2, 3), "Page 2 of 3");
  EXPECT_EQ(expand_page_template("#/$ #", 12, 140), "12/140 12");
  EXPECT_EQ(expand_page_template("a : b", 1, 1), "a : b");
  EXPECT_EQ(expand_page_template("", 1, 1), "");
  EXPECT_EQ(expand_page_template(nullptr, 1, 1), "");
}

TEST_F(PrintTest, EveryPageGetsItsRowsHeaderAndFooter) {
  PrintResult result = print();
  EXPECT_EQ(result.outcome, PrintOutcome::printed);
  EXPECT_EQ(result.page_count, 3);
  EXPECT_EQ(result.pages_printed, 3);
  std::vector<std::string> calls{"start_document Table"};
  for (int page = 0; page < 3; ++page) {
    calls.push_back("start_page");
    calls.push_back("end_page");
  }
  calls.push_back("end_document");
  EXPECT_EQ(printer.calls, calls);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"open", "Page 1 of 3 pages", "Page 2 of 3 pages",
                                                       "Page 3 of 3 pages", "close"}));

  EXPECT_EQ(footer_on(1), "Page 1 of 3");
  EXPECT_EQ(footer_on(2), "Page 2 of 3");
  EXPECT_EQ(footer_on(3), "Page 3 of 3");
  EXPECT_EQ(first_column_on(1), rows_text(0, 49, 0));
  EXPECT_EQ(first_column_on(2), rows_text(50, 99, 0));
  EXPECT_EQ(first_column_on(3), rows_text(100, 119, 0));  // rows past the end stay empty
  EXPECT_EQ(cells_of(printer, 2, 206), rows_text(50, 99, 1));

  // Rows follow each other from the table box's top.
  std::vector<DrawnText> page = printer.texts_on(2);
  EXPECT_EQ(page[0].y, 345);
  EXPECT_EQ(page[0].clip.bottom, 345 + rows_of_50);
  EXPECT_EQ(page[3].y, 345 + rows_of_50);
}

TEST_F(PrintTest, HeaderCentredAndFooterRightAlignedInTheirBands) {
  print();
  std::vector<DrawnText> page = printer.texts_on(1);
  const DrawnText& title = page[page.size() - 2];
  const DrawnText& number = page.back();
  EXPECT_EQ(title.text, "left : right");
  // The page box runs from 115 to 4845: 4730 wide; the title is 12 x 8 wide.
  EXPECT_EQ(title.x, 116 + (4730 - 96) / 2);
  EXPECT_EQ(title.y, 115);
  EXPECT_EQ(title.clip.left, 116);
  EXPECT_EQ(title.clip.right, 4844);
  EXPECT_EQ(title.clip.top, 115);
  EXPECT_EQ(title.clip.bottom, 345);
  EXPECT_EQ(number.x, 116 + 4730 - 4 - 88);  // "Page 1 of 3" is 11 characters
  EXPECT_EQ(number.y, 6901 - rows_of_50);
  EXPECT_EQ(number.clip.top, 6671);
  EXPECT_EQ(number.clip.bottom, 6901);
  // The table filled in the lines' places.
  EXPECT_EQ(footer.width, 4730);
  EXPECT_EQ(footer.row_height, rows_of_50);
}

TEST_F(PrintTest, APageRangePrintsOnlyThosePagesCountedOfTheWhole) {
  PageRange second{2, 2};
  PrintResult result = print(&second);
  EXPECT_EQ(result.page_count, 3);
  EXPECT_EQ(result.pages_printed, 1);
  EXPECT_EQ(printer.pages_started, 1);
  EXPECT_EQ(footer_on(1), "Page 2 of 3");
  EXPECT_EQ(first_column_on(1), rows_text(50, 99, 0));

  // Pages asked for beyond the end are not printed as empty pages.
  FakePrinter beyond(owner, a4_at_600);
  PageRange past{3, 9};
  request = PrintRequest{0, &header, &footer, nullptr, nullptr};
  result = table_print(surface.table, beyond, nullptr, &request, &past);
  EXPECT_EQ(result.pages_printed, 1);
  EXPECT_EQ(first_column_on(1).size(), 50u);
  EXPECT_EQ(cells_of(beyond, 1, 116), rows_text(100, 119, 0));
}

TEST_F(PrintTest, FixedRowsRepeatOnEveryPageWithTheirRule) {
  owner.props.fixed_rows = 2;
  print();
  EXPECT_EQ(printer.pages_started, 3);  // 118 rows below the fixed ones, 48 a page
  std::vector<std::string> second = first_column_on(2);
  ASSERT_EQ(second.size(), 50u);
  EXPECT_EQ(second[0], "r0c0");
  EXPECT_EQ(second[1], "r1c0");
  EXPECT_EQ(second[2], "r50c0");
  EXPECT_EQ(second[49], "r97c0");

  std::vector<TableRect> rules;
  for (const PrintedLine& line : printer.lines)
    if (line.page == 2) rules.push_back(line.line);
  ASSERT_EQ(rules.size(), 2u);
  // After the fixed column: from the first row's top to the last row's bottom.
  EXPECT_EQ(rules[0].left, 205);
  EXPECT_EQ(rules[0].right, 205);
  EXPECT_EQ(rules[0].top, 345);
  EXPECT_EQ(rules[0].bottom, 345 + 50 * rows_of_50);
  // Under the fixed rows: from the first column's start to the last one's end.
  EXPECT_EQ(rules[1].top, 345 + 2 * rows_of_50 - 1);
  EXPECT_EQ(rules[1].left, 116);
  EXPECT_EQ(rules[1].right, 384);
}

TEST_F(PrintTest, ColumnsAndALongTitleAreClippedAtTheirBoxes) {
  // Column 1 is wider than the page; column 2 starts past the table box.
  owner.columns = {ColumnProps{10, {}}, column_with(10, prop_width, 9000), ColumnProps{10, {}}};
  owner.text = [](int32_t row, int32_t column) {
    return column == 1 ? std::string(2000, 'x') : "r" + std::to_string(row);
  };
  std::string title(1000, 't');
  header.text = title.c_str();
  print();
  std::vector<DrawnText> page = printer.texts_on(1);
  int wide_cells = 0;
  for (const DrawnText& drawn : page) {
    EXPECT_LT(drawn.clip.left, 4845) << drawn.text.substr(0, 10);
    if (drawn.text[0] == 'x') {
      ++wide_cells;
      EXPECT_EQ(drawn.clip.right, 4845);
    }
  }
  EXPECT_EQ(wide_cells, 50);
  EXPECT_EQ(page.size(), 50u * 2 + 2);  // nothing of column 2
  const DrawnText& drawn_title = page[page.size() - 2];
  EXPECT_LT(drawn_title.x, 116);  // wider than the page: it starts left of it...
  EXPECT_EQ(drawn_title.clip.left, 116);  // ...and is clipped to the page box
  EXPECT_EQ(drawn_title.clip.right, 4844);
}

TEST_F(PrintTest, AnEmptyViewMakesADocumentWithNoPages) {
  owner.props.row_count = 0;
  PrintResult result = print();
  EXPECT_EQ(result.outcome, PrintOutcome::printed);
  EXPECT_EQ(result.page_count, 0);
  EXPECT_EQ(printer.calls, (std::vector<std::string>{"start_document Table", "end_document"}));
}

TEST_F(PrintTest, NothingIsPrintedWhenTheOwnerShowsNothingOrThereIsNoRoom) {
  show();
  owner.shows_nothing = true;
  EXPECT_EQ(print().outcome, PrintOutcome::nothing);
  EXPECT_TRUE(printer.calls.empty());
  EXPECT_TRUE(progress.calls.empty());

  // Rows taller than the table box: not one row fits on a page.
  owner.shows_nothing = false;
  owner.props.defaults.row_height = 7000;
  EXPECT_EQ(print().outcome, PrintOutcome::nothing);
  EXPECT_TRUE(printer.calls.empty());

  Table without_layout;
  EXPECT_EQ(table_print(without_layout, printer, &progress, nullptr, nullptr).outcome, PrintOutcome::nothing);
  EXPECT_EQ(owner.props_queries, 2);  // the table without a layout asked nothing
}

TEST_F(PrintTest, APrinterThatRefusesTheDocumentGetsNoPages) {
  printer.refuse_document = true;
  PrintResult result = print();
  EXPECT_EQ(result.outcome, PrintOutcome::nothing);
  EXPECT_EQ(printer.calls, std::vector<std::string>{"start_document Table"});
  EXPECT_TRUE(progress.calls.empty());
}

TEST_F(PrintTest, APageErrorAbortsTheDocumentAndACancelStopsAfterTheCurrentPage) {
  printer.failing_page = 2;
  PrintResult result = print();
  EXPECT_EQ(result.outcome, PrintOutcome::aborted);
  EXPECT_EQ(result.pages_printed, 1);
  EXPECT_EQ(printer.calls.back(), "abort_document");
  EXPECT_EQ(printer.pages_started, 2);
  EXPECT_EQ(progress.calls.back(), "close");

  FakePrinter cancelled(owner, a4_at_600);
  cancelled.cancelled_page = 2;
  program.abort_requested = 1;  // left from an earlier run: cleared when printing starts
  result = table_print(surface.table, cancelled, nullptr, &request, nullptr);
  program.abort_requested = 0;
  EXPECT_EQ(result.outcome, PrintOutcome::aborted);
  EXPECT_EQ(result.pages_printed, 2);
  EXPECT_EQ(cancelled.pages_started, 2);
  EXPECT_EQ(cancelled.calls.back(), "abort_document");
}

TEST_F(PrintTest, TheScreenLayoutStaysAsItWas) {
  owner.props.row_count = 300;
  show();
  scroll(40);
  key(key_down);
  surface.paint_pending();
  const TableLayout& screen = layout();
  int32_t offset = screen.scroll_offset;
  TableSelection selected = screen.selection;
  std::vector<std::string> cached;
  for (const RowCacheEntry& entry : screen.rows) cached.push_back(entry.cells[1].text);
  ASSERT_EQ(cached[0], "r40c1");
  owner.forget();

  request = PrintRequest{1, &header, &footer, nullptr, nullptr};
  EXPECT_EQ(table_print(surface.table, printer, &progress, &request, nullptr).page_count, 6);

  EXPECT_EQ(&layout(), &screen);
  EXPECT_EQ(layout().scroll_offset, offset);
  EXPECT_EQ(layout().selection.start_row, selected.start_row);
  EXPECT_EQ(layout().selection.row_count, selected.row_count);
  EXPECT_TRUE(layout().selection_drawn);
  for (size_t i = 0; i < cached.size(); ++i) {
    EXPECT_EQ(layout().rows[i].cells[1].text, cached[i]);
    EXPECT_TRUE(layout().rows[i].cells[1].valid);
  }
  // The owner heard no selection notice, and the cells were asked for all
  // 300 rows for the printer.
  EXPECT_TRUE(owner.notices.empty());
  EXPECT_EQ(owner.rows_asked.size(), 300u * 3);
}

}  // namespace
