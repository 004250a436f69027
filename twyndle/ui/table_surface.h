// What the table needs from the window it lives in: a way to ask its owner,
// text measurement, scroll bars, drawing and the mouse. The Win32 window
// implements it with GDI; tests implement it with a recording fake.
#pragma once

#include "twyndle/ui/table_protocol.h"

#include <cstdint>

// Pixels; right and bottom are exclusive.
struct TableRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct FontMetrics {
  int32_t char_width;        // average character width
  int32_t height;
  int32_t external_leading;
};

enum class TablePointer { arrow, resize };

enum class ScrollBar { vertical, horizontal };

struct TextStyle {
  TableFont font;            // none = the window's default font
  bool has_colour;
  TableColour colour;
  bool has_background;       // else the text is drawn transparently
  TableColour background;
};

class TableSurface {
 public:
  virtual ~TableSurface() = default;

  // Sends SCTabMsg to the owner and returns its answer.
  virtual intptr_t ask_owner(int32_t code, intptr_t record) = 0;

  // Font none = the window's default font.
  virtual FontMetrics font_metrics(TableFont font) = 0;
  virtual int32_t text_width(TableFont font, const char* text, int32_t length) = 0;
  virtual int32_t client_width() = 0;
  virtual int32_t client_height() = 0;

  // Range 0 .. maximum (0 .. 0 hides the bar).
  virtual void set_scroll_range(ScrollBar bar, int32_t maximum) = 0;
  virtual void set_scroll_position(ScrollBar bar, int32_t position) = 0;

  // Moves the window contents from band_top down by dy pixels (up when dy is
  // negative), leaving what is above band_top alone, and repaints the band
  // that was uncovered.
  virtual void scroll_contents(int32_t band_top, int32_t dy) = 0;
  // Marks an area (or everything) for repainting.
  virtual void invalidate(const TableRect& rect) = 0;
  virtual void invalidate_all() = 0;

  // Drawing goes to the paint context while painting, else to the window.
  virtual void fill(const TableRect& rect, TableColour colour) = 0;
  virtual void draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                         int32_t length, const TextStyle& style) = 0;
  virtual void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) = 0;
  // Inverting twice, or framing twice, restores the pixels.
  virtual void invert(const TableRect& rect) = 0;
  virtual void focus_frame(const TableRect& rect) = 0;
  // A dotted vertical line over the full height, drawn in exclusive-or mode.
  virtual void xor_line(int32_t x) = 0;

  virtual void capture_mouse(bool on) = 0;
  virtual void set_pointer(TablePointer pointer) = 0;
};

// A surface without a window (a printer, a benchmark): scroll bars,
// invalidation, inversion, the focus frame, the resize line, the mouse and
// the pointer do nothing on it.
class WindowlessSurface : public TableSurface {
 public:
  void set_scroll_range(ScrollBar, int32_t) override {}
  void set_scroll_position(ScrollBar, int32_t) override {}
  void scroll_contents(int32_t, int32_t) override {}
  void invalidate(const TableRect&) override {}
  void invalidate_all() override {}
  void invert(const TableRect&) override {}
  void focus_frame(const TableRect&) override {}
  void xor_line(int32_t) override {}
  void capture_mouse(bool) override {}
  void set_pointer(TablePointer) override {}
};
