// A TableSurface for native tests that behaves like a window: invalidated
// areas wait for paint_pending(), a content scroll moves what is shown and
// repaints the uncovered band at once, and inverted rectangles are tracked
// (inverting one again restores it; a paint erases its area first and
// inverts only inside it). Fonts are small integers standing for their
// character width; the default font is 8 wide and 14 + 2 high.
#pragma once

#include "twyndle/ui/table.h"
#include "twyndle/ui/tests/grid_owner.h"

#include <string>
#include <vector>

struct DrawnText {
  std::string text;
  int32_t x;
  int32_t y;
  TableRect clip;
  TextStyle style;
};

class FakeSurface : public TableSurface {
 public:
  FakeSurface(GridOwner& owner, int32_t width, int32_t height);

  Table table;  // the table drawn here
  GridOwner& owner;
  int32_t width;
  int32_t height;

  int32_t scroll_maximum[2] = {0, 0};  // vertical, horizontal
  int32_t scroll_position[2] = {0, 0};
  std::vector<int32_t> content_scrolls;  // dy of each
  std::vector<DrawnText> texts;
  int32_t fills = 0;
  std::vector<TableRect> lines;
  std::vector<TableRect> inverted;       // showing inverted now
  std::vector<TableRect> frames;         // every focus frame drawn
  std::vector<int32_t> xor_lines;        // every dotted line drawn
  bool captured = false;
  TablePointer pointer = TablePointer::arrow;
  bool has_pending = false;
  TableRect pending{0, 0, 0, 0};

  void paint_pending();
  bool shows_inverted(const TableRect& rect) const;
  std::vector<int32_t> xor_lines_shown() const;  // drawn an odd number of times
  void forget_drawing();

  intptr_t ask_owner(int32_t code, intptr_t record) override { return owner.answer(code, record); }
  FontMetrics font_metrics(TableFont font) override;
  int32_t text_width(TableFont font, const char* text, int32_t length) override;
  int32_t client_width() override { return width; }
  int32_t client_height() override { return height; }
  void set_scroll_range(ScrollBar bar, int32_t maximum) override;
  void set_scroll_position(ScrollBar bar, int32_t position) override;
  void scroll_contents(int32_t band_top, int32_t dy) override;
  void invalidate(const TableRect& rect) override;
  void invalidate_all() override { invalidate(TableRect{0, 0, width, height}); }
  void fill(const TableRect&, TableColour) override { ++fills; }
  void draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text, int32_t length,
                 const TextStyle& style) override;
  void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;
  void invert(const TableRect& rect) override;
  void focus_frame(const TableRect& rect) override { frames.push_back(rect); }
  void xor_line(int32_t x) override { xor_lines.push_back(x); }
  void capture_mouse(bool on) override { captured = on; }
  void set_pointer(TablePointer shape) override { pointer = shape; }

 private:
  bool painting_ = false;
  TableRect paint_area_{0, 0, 0, 0};
};

inline TableFont fake_font(intptr_t char_width) { return reinterpret_cast<TableFont>(char_width); }
