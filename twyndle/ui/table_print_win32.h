// TM_PRINT on Windows: the printer dialog, the printer behind its device
// context, the abort procedure and the "GABRTDLG" progress dialog around
// the portable printing of table_print.h.
#pragma once

#include "twyndle/ui/table_print.h"

#include <windows.h>

#include <memory>

// The progress dialog's template (the program's resources carry it) and its
// text item for the page line. Without the template printing runs to its end
// without a dialog, and cannot be cancelled.
constexpr const char* print_progress_template = "GABRTDLG";
constexpr int print_progress_page_item = 102;

// The printer behind a device context: drawing with GDI, the document
// through StartDocA and its companions, with the abort procedure below
// installed when the document starts.
class GdiPrintDevice : public PrintDevice {
 public:
  GdiPrintDevice(HDC printer, HWND owner) : dc_(printer), owner_(owner) {}

  intptr_t ask_owner(int32_t code, intptr_t record) override;
  FontMetrics font_metrics(TableFont font) override;
  int32_t text_width(TableFont font, const char* text, int32_t length) override;
  void fill(const TableRect& rect, TableColour colour) override;
  void draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text, int32_t length,
                 const TextStyle& style) override;
  void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;

  DeviceCaps caps() override;
  bool start_document(const char* name) override;
  bool start_page() override;
  bool end_page() override;
  void end_document() override;
  void abort_document() override;

 protected:
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HWND owner_;
};

// Called by the platform between bands of a page: while the progress dialog
// shows and no cancel came, passes waiting messages on (the dialog's own to
// the dialog), so that the windows stay painted; FALSE once the user
// cancelled. Without the dialog it goes on at once.
BOOL CALLBACK print_abort_procedure(HDC printer, int error);

// Where TM_PRINT gets its printer: the printer dialog (asked for a device
// context, a page range and no selection choice; false when cancelled), and
// the device painted on, made from the chosen printer's device context. The
// platform's by default; tests print into a device of their own.
struct PrinterSeam {
  bool (*choose)(HWND owner, PRINTDLGA& chosen);
  std::unique_ptr<PrintDevice> (*make_device)(HDC printer, HWND owner);
};
// None puts the platform's back.
void set_printer_seam(const PrinterSeam* seam);

// TM_PRINT for the table in `window`: 0 without a screen layout, when the
// user cancels the printer dialog, or while a print is running already;
// else the pages are printed (as far as they go) and the answer is 1 when
// the document was ended. The printer's device context is deleted at the
// end; the dialog's device settings are freed when the table asked for them.
LRESULT print_table(HWND window, const Table& table, HWND owner, PrintRequest* request);
