// A TableSurface for native tests. It behaves like a window: invalidated
// areas wait until paint_pending(), a content scroll repaints the uncovered
// band at once, and inverted rectangles are tracked (inverting one again
// restores it, erasing for a paint removes it) so that tests can ask what
// shows inverted. Fonts are small integers standing for
// their character width; the default font is 8 wide and 14 + 2 high.
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

struct ContentScroll {
  int32_t band_top;
  int32_t dy;
};

class FakeSurface : public TableSurface {
 public:
  FakeSurface(GridOwner& owner, int32_t width, int32_t height);

  // The table drawn on this surface.
  Table table;
  GridOwner& owner;
  int32_t width;
  int32_t height;

  // Recorded effects.
  int32_t scroll_maximum[2] = {0, 0};   // vertical, horizontal
  int32_t scroll_position[2] = {0, 0};
  std::vector<ContentScroll> content_scrolls;
  std::vector<DrawnText> texts;
  std::vector<TableRect> fills;
  std::vector<TableRect> lines;
  std::vector<TableRect> inverted;      // the rectangles that show inverted now
  std::vector<TableRect> frames;        // every focus frame call
  std::vector<int32_t> xor_lines;       // every xor line drawn
  bool captured = false;
  TablePointer pointer = TablePointer::arrow;
  bool has_pending = false;
  TableRect pending{0, 0, 0, 0};
  // While painting, drawing is clipped to this area.
  bool painting = false;
  TableRect paint_area{0, 0, 0, 0};

  // Paints what was invalidated, as the window's next paint would.
  void paint_pending();
  bool shows_inverted(const TableRect& rect) const;
  // Lines still drawn by xor (drawn an odd number of times).
  std::vector<int32_t> xor_lines_shown() const;
  void forget_drawing();

  intptr_t ask_owner(int32_t code, intptr_t record) override;
  FontMetrics font_metrics(TableFont font) override;
  int32_t text_width(TableFont font, const char* text, int32_t length) override;
  int32_t client_width() override { return width; }
  int32_t client_height() override { return height; }
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
  void capture_mouse(bool on) override { captured = on; }
  void set_pointer(TablePointer shape) override { pointer = shape; }
};

// A fake font of the given character width.
inline TableFont fake_font(intptr_t char_width) { return reinterpret_cast<TableFont>(char_width); }
