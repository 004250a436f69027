// Prints two compares on a real printer through the printer dialog: the
// outline of two source trees, then the expanded listing of one changed
// file. Run by tests/real_print/real-print, which gives the trees and an
// output folder in the environment, starts a CUPS server with a PDF printer
// for Wine, and checks the PDFs against the rows written here.
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/view_display.h"
#include "twyndle/res/resource.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Presses Print in the printer dialog when it shows (a timer of the test's
// thread, which the dialog's own message loop runs).
struct DialogPresser {
  static int presses;

  static BOOL CALLBACK press_if_print_dialog(HWND window, LPARAM) {
    char title[32] = "";
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title) != "Print" || !GetDlgItem(window, IDOK)) return TRUE;
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ++presses;
    return FALSE;
  }

  static VOID CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), press_if_print_dialog, 0);
  }

  DialogPresser() : timer(SetTimer(nullptr, 0, 250, tick)) { presses = 0; }
  ~DialogPresser() { KillTimer(nullptr, timer); }
  UINT_PTR timer;
};
int DialogPresser::presses = 0;

class RealPrint : public AppTest {
 protected:
  void SetUp() override {
    left_ = environment("TWYNDLE_PRINT_LEFT");
    right_ = environment("TWYNDLE_PRINT_RIGHT");
    out_ = environment("TWYNDLE_PRINT_OUT");
    if (left_.empty() || right_.empty() || out_.empty())
      GTEST_SKIP() << "run by tests/real_print/real-print, which sets up the printer";
    AppTest::SetUp();
    // A host font small enough for the listing's longest lines on A4.
    set_ini_value("Font", "Height", "-11");
    set_ini_value("Font", "FaceName", "Liberation Mono");
  }

  // Writes the rows of the current View, one line each, with the texts of
  // columns 0 to 2 separated by blanks, and the title, for the checks of
  // the printed pages.
  void write_expected(const std::string& name) {
    std::FILE* file = std::fopen((out_ + "\\" + name + ".rows").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    for (int32_t row = 0; row < view_row_count(program.current_view); ++row) {
      for (int32_t column = 0; column < 3; ++column) {
        const char* text = view_cell_text(program.current_view, row, column);
        std::fprintf(file, "%s%s", column ? " " : "", text ? text : "");
      }
      std::fputc('\n', file);
    }
    std::fclose(file);
    file = std::fopen((out_ + "\\" + name + ".title").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "%s\n", app.print_title);
    std::fclose(file);
  }

  void print_through_the_dialog() {
    DialogPresser presser;
    command(IDM_PRINT);
    EXPECT_EQ(DialogPresser::presses, 1);
    EXPECT_NE(app.printer_font, nullptr);
    EXPECT_EQ(app.print_request, nullptr);
  }

  std::string left_;
  std::string right_;
  std::string out_;
};

TEST_F(RealPrint, TheOutlineOfTwoTreesThenTheListingOfOneFile) {
  // The server's default need not have reached the prefix's own default (the
  // prefix is shared with other tests), so the printer is chosen here.
  ASSERT_TRUE(SetDefaultPrinterA("PDF")) << "Wine does not know the private server's PDF printer";
  char printer[256] = "";
  DWORD size = sizeof printer;
  ASSERT_TRUE(GetDefaultPrinterA(printer, &size));
  EXPECT_STREQ(printer, "PDF");

  ASSERT_TRUE(start({left_, right_}).run_loop);
  ASSERT_EQ(app.display_mode, mode_outline);
  ASSERT_GT(view_row_count(program.current_view), 30);
  write_expected("outline");
  print_through_the_dialog();

  int32_t row = outline_row_named(".\\command_line.cpp");
  ASSERT_GE(row, 0);
  select_row(row);
  ASSERT_TRUE(expand());
  ASSERT_TRUE(view_is_expanded(program.current_view));
  write_expected("listing");
  print_through_the_dialog();
}

}  // namespace
