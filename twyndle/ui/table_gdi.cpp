#include "twyndle/ui/table_gdi.h"

#include "twyndle/ui/gdi_guards.h"

namespace {

RECT to_rect(const TableRect& rect) { return RECT{rect.left, rect.top, rect.right, rect.bottom}; }

int bar_of(ScrollBar bar) { return bar == ScrollBar::vertical ? SB_VERT : SB_HORZ; }

}  // namespace

FontMetrics gdi_font_metrics(HDC dc, TableFont font) {
  Selected selected(dc, static_cast<HFONT>(font));
  TEXTMETRICA text{};
  if (!GetTextMetricsA(dc, &text)) return FontMetrics{8, 16, 0};
  return FontMetrics{text.tmAveCharWidth, text.tmHeight, text.tmExternalLeading};
}

int32_t gdi_text_width(HDC dc, TableFont font, const char* text, int32_t length) {
  Selected selected(dc, static_cast<HFONT>(font));
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text, length, &size);
  return size.cx;
}

void gdi_fill(HDC dc, const TableRect& rect, TableColour colour) {
  GdiObject brush(CreateSolidBrush(colour));
  RECT area = to_rect(rect);
  if (brush.get()) FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
}

void gdi_draw_text(HDC dc, const TableRect& clip, int32_t x, int32_t y, const char* text,
                   int32_t length, const TextStyle& style) {
  Selected font(dc, static_cast<HFONT>(style.font));
  TextColour colour(dc, style.has_colour ? style.colour : GetTextColor(dc));
  BackMode mode(dc, style.has_background ? OPAQUE : TRANSPARENT);
  BackColour back(dc, style.has_background ? style.background : GetBkColor(dc));
  RECT area = to_rect(clip);
  ExtTextOutA(dc, x, y, ETO_CLIPPED, &area, text, static_cast<UINT>(length), nullptr);
}

void gdi_draw_line(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  Selected pen(dc, GetStockObject(BLACK_PEN));
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

template <typename Draw>
void GdiTableSurface::with_dc(Draw draw) {
  if (paint_dc_) {
    draw(paint_dc_);
    return;
  }
  WindowDc dc(window_);
  if (dc.get()) draw(dc.get());
}

intptr_t GdiTableSurface::ask_owner(int32_t code, intptr_t record) {
  return SendMessageA(owner_, table_resources().message, static_cast<WPARAM>(code),
                      static_cast<LPARAM>(record));
}

FontMetrics GdiTableSurface::font_metrics(TableFont font) {
  FontMetrics metrics{8, 16, 0};
  with_dc([&](HDC dc) { metrics = gdi_font_metrics(dc, font); });
  return metrics;
}

int32_t GdiTableSurface::text_width(TableFont font, const char* text, int32_t length) {
  int32_t width = 0;
  with_dc([&](HDC dc) { width = gdi_text_width(dc, font, text, length); });
  return width;
}

int32_t GdiTableSurface::client_width() {
  RECT client;
  GetClientRect(window_, &client);
  return client.right;
}

int32_t GdiTableSurface::client_height() {
  RECT client;
  GetClientRect(window_, &client);
  return client.bottom;
}

void GdiTableSurface::set_scroll_range(ScrollBar bar, int32_t maximum) {
  SetScrollRange(window_, bar_of(bar), 0, maximum, TRUE);
}

void GdiTableSurface::set_scroll_position(ScrollBar bar, int32_t position) {
  SetScrollPos(window_, bar_of(bar), position, TRUE);
}

void GdiTableSurface::scroll_contents(int32_t band_top, int32_t dy) {
  RECT band{0, band_top, client_width(), client_height()};
  ScrollWindowEx(window_, 0, dy, &band, &band, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  UpdateWindow(window_);
}

void GdiTableSurface::invalidate(const TableRect& rect) {
  RECT area = to_rect(rect);
  InvalidateRect(window_, &area, TRUE);
}

void GdiTableSurface::invalidate_all() { InvalidateRect(window_, nullptr, TRUE); }

void GdiTableSurface::fill(const TableRect& rect, TableColour colour) {
  with_dc([&](HDC dc) { gdi_fill(dc, rect, colour); });
}

void GdiTableSurface::draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                                int32_t length, const TextStyle& style) {
  with_dc([&](HDC dc) { gdi_draw_text(dc, clip, x, y, text, length, style); });
}

void GdiTableSurface::draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  with_dc([&](HDC dc) { gdi_draw_line(dc, x0, y0, x1, y1); });
}

void GdiTableSurface::invert(const TableRect& rect) {
  with_dc([&](HDC dc) {
    RECT area = to_rect(rect);
    InvertRect(dc, &area);
  });
}

void GdiTableSurface::focus_frame(const TableRect& rect) {
  with_dc([&](HDC dc) {
    RECT area = to_rect(rect);
    DrawFocusRect(dc, &area);
  });
}

void GdiTableSurface::xor_line(int32_t x) {
  int32_t bottom = client_height();
  with_dc([&](HDC dc) {
    // A black pen inverts in not-xor mode; the dots' gaps stay untouched.
    Selected pen(dc, table_resources().dotted);
    DrawMode mode(dc, R2_NOTXORPEN);
    BackMode gaps(dc, TRANSPARENT);
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, bottom);
  });
}

void GdiTableSurface::capture_mouse(bool on) {
  if (on)
    SetCapture(window_);
  else if (GetCapture() == window_)
    ReleaseCapture();
}

void GdiTableSurface::set_pointer(TablePointer pointer) {
  const TableResources& resources = table_resources();
  SetCursor(pointer == TablePointer::resize ? resources.resize : resources.arrow);
}
