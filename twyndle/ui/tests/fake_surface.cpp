#include "twyndle/ui/tests/fake_surface.h"

#include <algorithm>
#include <map>

namespace {

bool same_rect(const TableRect& a, const TableRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool meet_vertically(const TableRect& a, const TableRect& b) {
  return a.top < b.bottom && a.bottom > b.top;
}

}  // namespace

FakeSurface::FakeSurface(GridOwner& grid_owner, int32_t client_width, int32_t client_height)
    : owner(grid_owner), width(client_width), height(client_height) {
  table.surface = this;
}

void FakeSurface::paint_pending() {
  if (!has_pending) return;
  has_pending = false;
  paint_area_ = pending;
  inverted.erase(std::remove_if(inverted.begin(), inverted.end(),
                                [&](const TableRect& r) { return meet_vertically(r, paint_area_); }),
                 inverted.end());
  painting_ = true;
  table_paint(table, paint_area_);
  painting_ = false;
}

bool FakeSurface::shows_inverted(const TableRect& rect) const {
  return std::any_of(inverted.begin(), inverted.end(),
                     [&](const TableRect& r) { return same_rect(r, rect); });
}

std::vector<int32_t> FakeSurface::xor_lines_shown() const {
  std::map<int32_t, int32_t> counts;
  for (int32_t x : xor_lines) ++counts[x];
  std::vector<int32_t> shown;
  for (const auto& [x, count] : counts)
    if (count % 2) shown.push_back(x);
  return shown;
}

void FakeSurface::forget_drawing() {
  texts.clear();
  lines.clear();
  content_scrolls.clear();
  fills = 0;
}

FontMetrics FakeSurface::font_metrics(TableFont font) {
  if (!font) return FontMetrics{8, 14, 2};
  return FontMetrics{static_cast<int32_t>(reinterpret_cast<intptr_t>(font)), 20, 0};
}

int32_t FakeSurface::text_width(TableFont font, const char*, int32_t length) {
  return length * font_metrics(font).char_width;
}

void FakeSurface::set_scroll_range(ScrollBar bar, int32_t maximum) {
  scroll_maximum[bar == ScrollBar::vertical ? 0 : 1] = maximum;
}

void FakeSurface::set_scroll_position(ScrollBar bar, int32_t position) {
  scroll_position[bar == ScrollBar::vertical ? 0 : 1] = position;
}

void FakeSurface::scroll_contents(int32_t band_top, int32_t dy) {
  content_scrolls.push_back(dy);
  for (TableRect& r : inverted) {
    if (r.top < band_top) continue;
    r.top += dy;
    r.bottom += dy;
  }
  invalidate(dy < 0 ? TableRect{0, height + dy, width, height}
                    : TableRect{0, band_top, width, band_top + dy});
  paint_pending();
}

void FakeSurface::invalidate(const TableRect& rect) {
  if (has_pending)
    pending = TableRect{std::min(pending.left, rect.left), std::min(pending.top, rect.top),
                        std::max(pending.right, rect.right), std::max(pending.bottom, rect.bottom)};
  else
    pending = rect;
  has_pending = true;
}

void FakeSurface::draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                            int32_t length, const TextStyle& style) {
  texts.push_back(DrawnText{std::string(text, static_cast<size_t>(length)), x, y, clip, style});
}

void FakeSurface::draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  lines.push_back(TableRect{x0, y0, x1, y1});
}

void FakeSurface::invert(const TableRect& rect) {
  if (painting_ && !meet_vertically(rect, paint_area_)) return;
  auto found = std::find_if(inverted.begin(), inverted.end(),
                            [&](const TableRect& r) { return same_rect(r, rect); });
  if (found != inverted.end())
    inverted.erase(found);
  else
    inverted.push_back(rect);
}
