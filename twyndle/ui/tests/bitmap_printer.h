// A printer of our own for the window tests under Wine, which has no
// printer: while a BitmapPrinter lives, TM_PRINT's printer dialog is
// replaced by a choice the test made in advance (a page range, or a
// cancel), and the pages are drawn with GDI into a memory bitmap of a small
// page (850 x 1100 pixels on 216 x 279 mm: 3 pixels per millimetre). As a
// spooler does, it calls the abort procedure when a page ends.
#pragma once

#include "twyndle/ui/table_print_win32.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dark pixels found on a page, by band.
struct PrintedPage {
  int32_t header_ink;   // between the page top and the table box
  int32_t table_ink;    // in the table box
  int32_t footer_ink;   // between the table box and the page bottom
};

class BitmapPrinter {
 public:
  BitmapPrinter();
  ~BitmapPrinter();
  BitmapPrinter(const BitmapPrinter&) = delete;
  BitmapPrinter& operator=(const BitmapPrinter&) = delete;

  // What the printer dialog answers.
  bool cancel = false;
  bool ranged = false;
  PageRange range{1, 1};
  // Called when page n (counted from 1 in this document) has been drawn,
  // before the abort procedure runs.
  std::function<void(int32_t page)> on_page_end;

  int32_t dialogs = 0;
  int32_t font_height = 0;               // of the font selected when the document started
  std::vector<std::string> calls;        // "start_document Table", "start_page", ...
  std::vector<PrintedPage> pages;        // one per page ended

  static BitmapPrinter* current;
};
