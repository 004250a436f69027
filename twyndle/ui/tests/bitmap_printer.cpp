#include "twyndle/ui/tests/bitmap_printer.h"

namespace {

constexpr int32_t page_width = 850;
constexpr int32_t page_height = 1100;
constexpr int32_t margin = 5 * 3;        // the default margins at 3 pixels per millimetre
constexpr int32_t band = 10 * 3;

class BitmapPrintDevice : public GdiPrintDevice {
 public:
  BitmapPrintDevice(HDC printer, HWND owner, HBITMAP bitmap, HGDIOBJ replaced, const uint32_t* bits)
      : GdiPrintDevice(printer, owner), bitmap_(bitmap), replaced_(replaced), bits_(bits) {}
  // The page goes before the table deletes the device context.
  ~BitmapPrintDevice() override {
    SelectObject(dc(), replaced_);
    DeleteObject(bitmap_);
  }

  DeviceCaps caps() override { return DeviceCaps{page_width, page_height, 216, 279}; }

  bool start_document(const char* name) override {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc(), &metrics);
    log().font_height = metrics.tmHeight;
    log().calls.push_back(std::string("start_document ") + name);
    return true;
  }

  bool start_page() override {
    log().calls.push_back("start_page");
    RECT page{0, 0, page_width, page_height};
    FillRect(dc(), &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return true;
  }

  bool end_page() override {
    log().calls.push_back("end_page");
    log().pages.push_back(count_ink());
    if (log().on_page_end) log().on_page_end(static_cast<int32_t>(log().pages.size()));
    return print_abort_procedure(dc(), 0) != FALSE;
  }

  void end_document() override { log().calls.push_back("end_document"); }
  void abort_document() override { log().calls.push_back("abort_document"); }

 private:
  static BitmapPrinter& log() { return *BitmapPrinter::current; }

  PrintedPage count_ink() const {
    GdiFlush();
    PrintedPage page{0, 0, 0};
    for (int32_t y = 0; y < page_height; ++y) {
      for (int32_t x = 0; x < page_width; ++x) {
        uint32_t pixel = bits_[y * page_width + x] & 0xFFFFFF;
        bool dark = (pixel & 0xFF) < 0x80 && ((pixel >> 8) & 0xFF) < 0x80 && (pixel >> 16) < 0x80;
        if (!dark) continue;
        if (y < margin + band) {
          ++page.header_ink;
        } else if (y >= page_height - margin - band) {
          ++page.footer_ink;
        } else {
          ++page.table_ink;
        }
      }
    }
    return page;
  }

  HBITMAP bitmap_;
  HGDIOBJ replaced_;
  const uint32_t* bits_;
};

// The page of the print being made.
const uint32_t* page_bits = nullptr;
HBITMAP page_bitmap = nullptr;
HGDIOBJ replaced_bitmap = nullptr;

bool choose(HWND, PRINTDLGA& chosen) {
  BitmapPrinter& printer = *BitmapPrinter::current;
  ++printer.dialogs;
  if (printer.cancel) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = page_width;
  info.bmiHeader.biHeight = -page_height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  page_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  chosen.hDC = CreateCompatibleDC(nullptr);
  if (!page_bitmap || !chosen.hDC) return false;
  page_bits = static_cast<const uint32_t*>(bits);
  replaced_bitmap = SelectObject(chosen.hDC, page_bitmap);
  chosen.Flags = PD_RETURNDC | PD_NOSELECTION | (printer.ranged ? PD_PAGENUMS : 0);
  chosen.nFromPage = static_cast<WORD>(printer.range.first);
  chosen.nToPage = static_cast<WORD>(printer.range.last);
  return true;
}

std::unique_ptr<PrintDevice> make_device(HDC printer, HWND owner) {
  return std::unique_ptr<PrintDevice>(new BitmapPrintDevice(printer, owner, page_bitmap, replaced_bitmap, page_bits));
}

const PrinterSeam bitmap_seam{choose, make_device};

}  // namespace

BitmapPrinter* BitmapPrinter::current = nullptr;

BitmapPrinter::BitmapPrinter() {
  current = this;
  set_printer_seam(&bitmap_seam);
}

BitmapPrinter::~BitmapPrinter() {
  set_printer_seam(nullptr);
  current = nullptr;
}
