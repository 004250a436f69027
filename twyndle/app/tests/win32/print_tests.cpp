// Printing from the main window into the tests' own printer (a memory
// bitmap behind the table's printer seam): the pages, the printer font, the
// screen left as it was, the page range, a cancelled dialog, and a cancel
// from the progress dialog while a page prints.
#include "twyndle/app/font_keys.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/view_display.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/res/resource.h"
#include "twyndle/ui/table_layout.h"
#include "twyndle/ui/tests/bitmap_printer.h"

#include <cstdio>

namespace {

// 300 numbered lines; the right file has lines 100 to 104 changed.
std::string numbered_lines(bool changed) {
  std::string text;
  for (int line = 1; line <= 300; ++line) {
    char buffer[64];
    bool differs = changed && line >= 100 && line < 105;
    std::snprintf(buffer, sizeof buffer, "line %d of the %s file\r\n", line, differs ? "right" : "same");
    text += buffer;
  }
  return text;
}

struct ScreenState {
  const TableLayout* layout;
  int32_t scroll_offset;
  TableSelection selection;
  bool selection_drawn;
  std::vector<std::string> texts;  // column 2 of every cache entry
  std::vector<int32_t> valid;
  int32_t selected_row;
};

class Printing : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    set_ini_value("Font", "Height", "-16");
    set_ini_value("Font", "FaceName", "Liberation Mono");
  }

  // Shown when the test reads what the table painted.
  void two_long_files(int show_command = SW_HIDE) {
    std::string left = files_.write("left\\long.txt", numbered_lines(false));
    std::string right = files_.write("right\\long.txt", numbered_lines(true));
    ASSERT_TRUE(start({left, right}, false, show_command).run_loop);
    ASSERT_TRUE(view_is_expanded(program.current_view));
  }

  static const TableLayout* screen_layout() {
    return reinterpret_cast<const TableLayout*>(GetWindowLongPtrA(app.table, 2 * sizeof(LONG_PTR)));
  }

  static ScreenState screen_state() {
    const TableLayout* layout = screen_layout();
    ScreenState state{layout, layout->scroll_offset, layout->selection, layout->selection_drawn, {}, {},
                      app.selected_row};
    for (const RowCacheEntry& entry : layout->rows) {
      state.texts.push_back(entry.cells[2].text ? entry.cells[2].text : "");
      state.valid.push_back(entry.cells[2].valid);
    }
    return state;
  }

  static BOOL CALLBACK find_progress(HWND window, LPARAM result) {
    if (!GetDlgItem(window, IDC_PRINT_PAGE)) return TRUE;
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }

  // The progress dialog of this thread: the dialog with the page line.
  static HWND progress_dialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_progress, reinterpret_cast<LPARAM>(&found));
    return found;
  }

  static std::string page_line(HWND dialog) {
    char text[64] = "";
    GetDlgItemTextA(dialog, IDC_PRINT_PAGE, text, sizeof text);
    return text;
  }

  BitmapPrinter printer_;
};

TEST_F(Printing, EveryPageIsPrintedInThePrinterFontAndTheScreenStaysAsItWas) {
  two_long_files(SW_SHOWNOACTIVATE);
  SendMessageA(app.table, TM_SCROLLPOS, 1, 40);
  select_row(45);
  UpdateWindow(app.table);
  ScreenState before = screen_state();
  // The selection moved the rows into its middle band.
  ASSERT_GT(before.scroll_offset, 30);
  ASSERT_EQ(before.texts[1], "line " + std::to_string(before.scroll_offset + 2) + " of the same file  ");  // the line end drawn as blanks

  command(IDM_PRINT);

  EXPECT_EQ(printer_.dialogs, 1);
  size_t pages = printer_.pages.size();
  EXPECT_GE(pages, 3u);  // 300 rows at under 100 a page
  std::vector<std::string> calls{"start_document Table"};
  for (size_t page = 0; page < pages; ++page) {
    calls.push_back("start_page");
    calls.push_back("end_page");
  }
  calls.push_back("end_document");
  EXPECT_EQ(printer_.calls, calls);
  for (const PrintedPage& page : printer_.pages) {
    EXPECT_GT(page.header_ink, 0);
    EXPECT_GT(page.table_ink, 0);
    EXPECT_GT(page.footer_ink, 0);
  }
  // The last page holds fewer rows than the others.
  EXPECT_LT(printer_.pages.back().table_ink, printer_.pages.front().table_ink);

  // The printer font: the host's 12 points at the printer's resolution,
  // selected into the printer before the document started.
  ASSERT_NE(app.printer_font, nullptr);
  LOGFONTA made{};
  GetObjectA(app.printer_font, sizeof made, &made);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(made.lfHeight, printer_font_height(12, GetDeviceCaps(screen, LOGPIXELSY)));
  ReleaseDC(nullptr, screen);
  EXPECT_STREQ(made.lfFaceName, "Liberation Mono");
  TEXTMETRICA screen_metrics{};
  HDC table_dc = GetDC(app.table);
  SelectObject(table_dc, app.screen_font.font);
  GetTextMetricsA(table_dc, &screen_metrics);
  ReleaseDC(app.table, table_dc);
  EXPECT_EQ(printer_.font_height, screen_metrics.tmHeight);

  ScreenState after = screen_state();
  EXPECT_EQ(after.layout, before.layout);
  EXPECT_EQ(after.scroll_offset, before.scroll_offset);
  EXPECT_EQ(after.selection.start_row, before.selection.start_row);
  EXPECT_EQ(after.selection.row_count, before.selection.row_count);
  EXPECT_EQ(after.selection_drawn, before.selection_drawn);
  EXPECT_EQ(after.texts, before.texts);
  EXPECT_EQ(after.valid, before.valid);
  EXPECT_EQ(after.selected_row, 45);
  EXPECT_EQ(app.print_request, nullptr);
  EXPECT_TRUE(IsWindowEnabled(app.table));
  EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Printing, OnlyThePagesAskedForAndNothingWhenTheDialogIsCancelled) {
  two_long_files();
  printer_.cancel = true;
  command(IDM_PRINT);
  EXPECT_EQ(printer_.dialogs, 1);
  EXPECT_TRUE(printer_.calls.empty());

  printer_.cancel = false;
  printer_.ranged = true;
  printer_.range = PageRange{2, 2};
  command(IDM_PRINT);
  EXPECT_EQ(printer_.calls,
            (std::vector<std::string>{"start_document Table", "start_page", "end_page", "end_document"}));
  ASSERT_EQ(printer_.pages.size(), 1u);
  EXPECT_GT(printer_.pages[0].table_ink, 0);
}

TEST_F(Printing, CancelInTheProgressDialogStopsAfterTheCurrentPage) {
  two_long_files();
  std::string line_on_page_2;
  bool table_enabled_while_printing = true;
  bool window_kept = false;
  printer_.on_page_end = [&](int32_t page) {
    HWND dialog = progress_dialog();
    if (page != 2 || !dialog) return;
    line_on_page_2 = page_line(dialog);
    table_enabled_while_printing = IsWindowEnabled(app.table) != FALSE;
    // While the print runs, the window neither prints again nor closes.
    command(IDM_PRINT);
    SendMessageA(app.main_window, WM_CLOSE, 0, 0);
    window_kept = IsWindow(app.main_window) != FALSE;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
  };
  command(IDM_PRINT);

  EXPECT_EQ(printer_.calls, (std::vector<std::string>{"start_document Table", "start_page", "end_page",
                                                       "start_page", "end_page", "abort_document"}));
  EXPECT_EQ(printer_.dialogs, 1);
  EXPECT_NE(line_on_page_2.find("Page 2 of "), std::string::npos) << line_on_page_2;
  EXPECT_NE(line_on_page_2.find(" pages"), std::string::npos) << line_on_page_2;
  EXPECT_FALSE(table_enabled_while_printing);
  EXPECT_TRUE(window_kept);
  EXPECT_EQ(progress_dialog(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(app.table));
  EXPECT_EQ(app.print_request, nullptr);
}

TEST_F(Printing, NothingToPrintWithoutAView) {
  ASSERT_TRUE(start({}).run_loop);
  command(IDM_PRINT);
  EXPECT_EQ(printer_.dialogs, 0);
  EXPECT_TRUE(printer_.calls.empty());
}

}  // namespace
