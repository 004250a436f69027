#include "twyndle/ui/table_print_win32.h"

#include "twyndle/engine/program_state.h"
#include "twyndle/ui/table_gdi.h"
#include "twyndle/ui/table_window.h"

#include <cstdio>

namespace {

// One print at a time in the process: the abort procedure has no other way
// to find the dialog.
HWND progress_window = nullptr;
bool printing = false;


INT_PTR CALLBACK progress_procedure(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;  // the default focus
    case WM_COMMAND:
      program.abort_requested = 1;
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      if (progress_window == dialog) progress_window = nullptr;
      return FALSE;
    default: return FALSE;
  }
}

// The modeless progress dialog, owned by the table, which it disables while
// it shows.
class ProgressDialog : public PrintProgress {
 public:
  explicit ProgressDialog(HWND table) : table_(table) {}

  void open() override {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(table_, GWLP_HINSTANCE));
    dialog_ = CreateDialogParamA(instance, print_progress_template, table_, progress_procedure, 0);
    if (!dialog_) return;
    progress_window = dialog_;
    ShowWindow(dialog_, SW_SHOW);
    EnableWindow(table_, FALSE);
  }

  void show_page(int32_t page, int32_t page_count) override {
    if (!progress_window) return;
    char text[64];
    std::snprintf(text, sizeof text, "Page %d of %d pages", static_cast<int>(page),
                  static_cast<int>(page_count));
    SetDlgItemTextA(progress_window, print_progress_page_item, text);
  }

  void close() override {
    if (!dialog_) return;
    EnableWindow(table_, TRUE);
    if (IsWindow(dialog_)) DestroyWindow(dialog_);
    progress_window = nullptr;
    dialog_ = nullptr;
  }

 private:
  HWND table_;
  HWND dialog_ = nullptr;
};

class BusyPointer {
 public:
  BusyPointer() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~BusyPointer() { SetCursor(previous_); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  HCURSOR previous_;
};

bool choose_printer(HWND window, PRINTDLGA& chosen) {
  chosen.lStructSize = sizeof chosen;
  chosen.hwndOwner = window;
  chosen.Flags = PD_RETURNDC | PD_NOSELECTION;
  chosen.nFromPage = 1;
  chosen.nToPage = 1;
  chosen.nMinPage = 1;
  chosen.nMaxPage = 0xFFFF;
  return PrintDlgA(&chosen) != FALSE;
}

std::unique_ptr<PrintDevice> make_gdi_device(HDC printer, HWND owner) {
  return std::unique_ptr<PrintDevice>(new GdiPrintDevice(printer, owner));
}

const PrinterSeam platform_printer{choose_printer, make_gdi_device};
const PrinterSeam* printer_seam = &platform_printer;

void free_device_settings(PRINTDLGA& chosen) {
  if (chosen.hDevMode) GlobalFree(chosen.hDevMode);
  if (chosen.hDevNames) GlobalFree(chosen.hDevNames);
  chosen.hDevMode = nullptr;
  chosen.hDevNames = nullptr;
}

PrintResult print_on(HWND window, const Table& table, HWND owner, PrintRequest& request,
                     PRINTDLGA& setup) {
  PrintResult result;
  if (!setup.hDC) return result;
  PageRange range{setup.nFromPage, setup.nToPage};
  bool ranged = (setup.Flags & PD_PAGENUMS) != 0;
  {
    std::unique_ptr<PrintDevice> device = printer_seam->make_device(setup.hDC, owner);
    ProgressDialog progress(window);
    if (device) result = table_print(table, *device, &progress, &request, ranged ? &range : nullptr);
  }
  DeleteDC(setup.hDC);
  setup.hDC = nullptr;
  return result;
}

}  // namespace

intptr_t GdiPrintDevice::ask_owner(int32_t code, intptr_t record) {
  return SendMessageA(owner_, table_message(), static_cast<WPARAM>(code), static_cast<LPARAM>(record));
}

FontMetrics GdiPrintDevice::font_metrics(TableFont font) { return gdi_font_metrics(dc_, font); }

int32_t GdiPrintDevice::text_width(TableFont font, const char* text, int32_t length) {
  return gdi_text_width(dc_, font, text, length);
}

void GdiPrintDevice::fill(const TableRect& rect, TableColour colour) { gdi_fill(dc_, rect, colour); }

void GdiPrintDevice::draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                               int32_t length, const TextStyle& style) {
  gdi_draw_text(dc_, clip, x, y, text, length, style);
}

void GdiPrintDevice::draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  gdi_draw_line(dc_, x0, y0, x1, y1);
}

DeviceCaps GdiPrintDevice::caps() {
  return DeviceCaps{GetDeviceCaps(dc_, HORZRES), GetDeviceCaps(dc_, VERTRES), GetDeviceCaps(dc_, HORZSIZE),
                    GetDeviceCaps(dc_, VERTSIZE)};
}

bool GdiPrintDevice::start_document(const char* name) {
  BusyPointer busy;
  SetAbortProc(dc_, print_abort_procedure);
  DOCINFOA document{};
  document.cbSize = sizeof document;
  document.lpszDocName = name;
  return StartDocA(dc_, &document) > 0;
}

bool GdiPrintDevice::start_page() { return StartPage(dc_) > 0; }

bool GdiPrintDevice::end_page() { return EndPage(dc_) > 0; }

void GdiPrintDevice::end_document() { EndDoc(dc_); }

void GdiPrintDevice::abort_document() { AbortDoc(dc_); }

BOOL CALLBACK print_abort_procedure(HDC, int) {
  if (!progress_window) return TRUE;
  MSG message;
  while (progress_window && !program.abort_requested && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Kept for the message loop that ends the program.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (!IsDialogMessageA(progress_window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return program.abort_requested ? FALSE : TRUE;
}

void set_printer_seam(const PrinterSeam* seam) { printer_seam = seam ? seam : &platform_printer; }

LRESULT print_table(HWND window, const Table& table, HWND owner, PrintRequest* request) {
  if (!table.layout || printing) return 0;
  PrintRequest none{};
  PrintRequest& asked = request ? *request : none;
  PRINTDLGA chosen{};
  bool asking = asked.printer_setup == nullptr;
  if (asking) {
    if (!printer_seam->choose(window, chosen)) {
      free_device_settings(chosen);
      return 0;
    }
    asked.printer_setup = &chosen;
  }
  printing = true;
  PrintResult result = print_on(window, table, owner, asked, *static_cast<PRINTDLGA*>(asked.printer_setup));
  printing = false;
  if (asking) {
    free_device_settings(chosen);
    asked.printer_setup = nullptr;
  }
  return result.outcome == PrintOutcome::printed ? 1 : 0;
}
