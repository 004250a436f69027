// Printing the table (TM_PRINT): a second, printer-sized layout is built by
// the same owner queries as on screen, with the view the request names, and
// painted page by page into the printer through the same cell painting as
// the window. The screen layout is not touched: its scroll offset, cell
// cache and selection stay as they were.
//
// A page shows the header line at the top of the page box, as many rows as
// fit into the table box below it, and the footer line at the bottom; "#" in
// a line's template becomes the page number and "$" the page count. Pages
// follow each other by whole screens of rows below the fixed rows, which
// every page repeats.
//
// This part is portable: the printer, the document calls and the progress
// window are seams (PrintDevice, PrintProgress) with a Win32 backend in
// table_print_win32.h and fakes in the tests.
#pragma once

#include "twyndle/ui/table.h"

#include <cstdint>
#include <memory>
#include <string>

// Margins in millimetres: the page box lies inside left, right, top and
// bottom; the header band and the footer band are taken from the page box,
// and the rows fill what is left (the table box).
struct PrintMargins {
  int32_t left;
  int32_t right;
  int32_t top;
  int32_t bottom;
  int32_t header_band;
  int32_t footer_band;
};

constexpr PrintMargins default_print_margins{5, 5, 5, 5, 10, 10};

// A header or footer line. The table fills in the first eight fields when
// it lays out the page; the caller sets the rest.
struct PrintLine {
  int32_t start_x;
  int32_t visible_start_x;
  int32_t end_x;
  int32_t width;
  int32_t text_y;
  int32_t clip_top;
  int32_t clip_bottom;
  int32_t row_height;
  int32_t flags;               // TablePropFlag bits: text colour, background, font, alignment
  TableColour text_colour;
  TableColour background;
  TableFont font;
  int32_t alignment;           // TableAlignment
  int32_t box_flags;           // carried, no effect
  const char* text;            // the template; "#" page number, "$" page count
};

// The lParam of TM_PRINT. A missing request counts as one with every field
// empty.
struct PrintRequest {
  intptr_t view;               // passed to the owner in the print queries; 0: the screen's view
  PrintLine* header;           // or none
  PrintLine* footer;           // or none
  PrintMargins* margins;       // none: default_print_margins
  void* printer_setup;         // the platform's printer dialog record (PRINTDLGA), or none:
                               // the table asks the user and points this at its own
                               // record while it prints, so that the owner can reach
                               // the printer's device context
};

// What the printer reports about its page.
struct DeviceCaps {
  int32_t width_pixels;
  int32_t height_pixels;
  int32_t width_mm;
  int32_t height_mm;
};

// The page box and the table box in printer pixels.
struct PageGeometry {
  int32_t pixels_per_mm_x;     // integer division of resolution by size
  int32_t pixels_per_mm_y;
  TableRect page;
  TableRect table;
};

// 1-based pages, both included.
struct PageRange {
  int32_t first;
  int32_t last;
};

// The printer as the table paints on it (measuring, text, lines and fills;
// it has no window) and the document calls. Fonts none mean the font
// selected into the printer.
class PrintDevice : public WindowlessSurface {
 public:
  virtual DeviceCaps caps() = 0;
  virtual bool start_document(const char* name) = 0;
  virtual bool start_page() = 0;
  // False when the page failed, also when the user cancelled it.
  virtual bool end_page() = 0;
  virtual void end_document() = 0;
  virtual void abort_document() = 0;

  int32_t client_width() override { return caps().width_pixels; }
  int32_t client_height() override { return caps().height_pixels; }
};

// The progress window: shown while the pages print, where it can be made.
class PrintProgress {
 public:
  virtual ~PrintProgress() = default;
  virtual void open() = 0;
  virtual void show_page(int32_t page, int32_t page_count) = 0;
  virtual void close() = 0;
};

enum class PrintOutcome {
  nothing,   // no layout, the owner showed nothing, no room, no memory or no document
  printed,   // the document was ended (possibly with no pages)
  aborted,   // a page failed or the user cancelled: the document was aborted
};

struct PrintResult {
  PrintOutcome outcome = PrintOutcome::nothing;
  int32_t page_count = 0;      // pages of the whole table
  int32_t pages_printed = 0;   // pages the printer ended without an error
};

// The page geometry for a printer and margins.
PageGeometry page_geometry(const DeviceCaps& caps, const PrintMargins& margins);
// ceiling((rows - fixed) / (rows per page - fixed)); 0 when nothing is
// left below the fixed rows or a page holds no more than the fixed rows.
int32_t print_page_count(int32_t row_count, int32_t fixed_rows, int32_t rows_per_page);
// The template with each "#" replaced by the page number and each "$" by
// the page count.
std::string expand_page_template(const char* text, int32_t page, int32_t page_count);

// Prints the table shown in `screen`: every page of the table, or the pages
// of `range` when the user asked for some (clipped to the pages there are).
// Clears abort_requested before the first page; a cancel through the
// progress window stops after the current page.
PrintResult table_print(const Table& screen, PrintDevice& device, PrintProgress* progress,
                        PrintRequest* request, const PageRange* range);
