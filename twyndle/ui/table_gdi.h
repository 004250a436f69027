// The table's drawing surface on a Win32 window: GDI drawing, scroll bars,
// the mouse and the owner's SCTabMsg.
#pragma once

#include "twyndle/ui/table_surface.h"

#include <windows.h>

// Made once when the class is registered and shared by every table.
struct TableResources {
  UINT message;      // SCTabMsg
  HCURSOR resize;    // the column-resize pointer
  HCURSOR arrow;
  HPEN dotted;       // one-pixel black dotted pen for the resize line
};

const TableResources& table_resources();

// Measuring and drawing on a device context, for the window and the printer
// alike. Font none = the font selected into the context.
FontMetrics gdi_font_metrics(HDC dc, TableFont font);
int32_t gdi_text_width(HDC dc, TableFont font, const char* text, int32_t length);
void gdi_fill(HDC dc, const TableRect& rect, TableColour colour);
// Clipped to `clip`; transparent unless the style has a background.
void gdi_draw_text(HDC dc, const TableRect& clip, int32_t x, int32_t y, const char* text,
                   int32_t length, const TextStyle& style);
void gdi_draw_line(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1);

class GdiTableSurface : public TableSurface {
 public:
  GdiTableSurface(HWND window, HWND owner) : window_(window), owner_(owner) {}

  HWND owner() const { return owner_; }
  // While set, drawing goes to the paint context.
  void set_paint_dc(HDC dc) { paint_dc_ = dc; }

  intptr_t ask_owner(int32_t code, intptr_t record) override;
  FontMetrics font_metrics(TableFont font) override;
  int32_t text_width(TableFont font, const char* text, int32_t length) override;
  int32_t client_width() override;
  int32_t client_height() override;
  void set_scroll_range(ScrollBar bar, int32_t maximum) override;
  void set_scroll_position(ScrollBar bar, int32_t position) override;
  void scroll_contents(int32_t band_top, int32_t dy) override;
  void invalidate(const TableRect& rect) override;
  void invalidate_all() override;
  void fill(const TableRect& rect, TableColour colour) override;
  void draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text, int32_t length,
                 const TextStyle& style) override;
  void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
  void invert(const TableRect& rect) override;
  void focus_frame(const TableRect& rect) override;
  void xor_line(int32_t x) override;
  void capture_mouse(bool on) override;
  void set_pointer(TablePointer pointer) override;

 private:
  template <typename Draw>
  void with_dc(Draw draw);

  HWND window_;
  HWND owner_;
  HDC paint_dc_ = nullptr;
};
