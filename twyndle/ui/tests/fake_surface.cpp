#include "twyndle/ui/tests/fake_surface.h"

#include <algorithm>
#include <map>

namespace {

int32_t font_char_width(TableFont font) {
  return font ? static_cast<int32_t>(reinterpret_cast<intptr_t>(font)) : 8;
}

bool same_rect(const TableRect& a, const TableRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TableRect unite(const TableRect& a, const TableRect& b) {
  return TableRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}

}  // namespace

FakeSurface::FakeSurface(GridOwner& grid_owner, int32_t client_width, int32_t client_height)
    : owner(grid_owner), width(client_width), height(client_height) {
  table.surface = this;
}

void FakeSurface::paint_pending() {
  if (!has_pending) return;
  has_pending = false;
  TableRect area = pending;
  // Painting starts from an erased background: inversions in it are gone.
  inverted.erase(std::remove_if(inverted.begin(), inverted.end(),
                                [&](const TableRect& r) {
                                  return r.top < area.bottom && r.bottom > area.top;
                                }),
                 inverted.end());
  painting = true;
  paint_area = area;
  table_paint(table, area);
  painting = false;
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
  fills.clear();
  lines.clear();
  content_scrolls.clear();
}

intptr_t FakeSurface::ask_owner(int32_t code, intptr_t record) { return owner.answer(code, record); }

FontMetrics FakeSurface::font_metrics(TableFont font) {
  return font ? FontMetrics{font_char_width(font), 20, 0} : FontMetrics{8, 14, 2};
}

int32_t FakeSurface::text_width(TableFont font, const char*, int32_t length) {
  return length * font_char_width(font);
}

void FakeSurface::set_scroll_range(ScrollBar bar, int32_t maximum) {
  scroll_maximum[bar == ScrollBar::vertical ? 0 : 1] = maximum;
}

void FakeSurface::set_scroll_position(ScrollBar bar, int32_t position) {
  scroll_position[bar == ScrollBar::vertical ? 0 : 1] = position;
}

void FakeSurface::scroll_contents(int32_t band_top, int32_t dy) {
  content_scrolls.push_back(ContentScroll{band_top, dy});
  // Inversions move with the contents.
  for (TableRect& r : inverted) {
    if (r.top < band_top) continue;
    r.top += dy;
    r.bottom += dy;
  }
  TableRect uncovered = dy < 0 ? TableRect{0, height + dy, width, height}
                               : TableRect{0, band_top, width, band_top + dy};
  invalidate(uncovered);
  paint_pending();
}

void FakeSurface::invalidate(const TableRect& rect) {
  pending = has_pending ? unite(pending, rect) : rect;
  has_pending = true;
}

void FakeSurface::invalidate_all() { invalidate(TableRect{0, 0, width, height}); }

void FakeSurface::fill(const TableRect& rect, TableColour) { fills.push_back(rect); }

void FakeSurface::draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                            int32_t length, const TextStyle& style) {
  texts.push_back(DrawnText{std::string(text, static_cast<size_t>(length)), x, y, clip, style});
}

void FakeSurface::draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  lines.push_back(TableRect{x0, y0, x1, y1});
}

void FakeSurface::invert(const TableRect& rect) {
  // A paint inverts only inside its area, which it erased first.
  if (painting && (rect.bottom <= paint_area.top || rect.top >= paint_area.bottom)) return;
  // Inverting an inverted area restores it.
  auto found = std::find_if(inverted.begin(), inverted.end(),
                            [&](const TableRect& r) { return same_rect(r, rect); });
  if (found != inverted.end())
    inverted.erase(found);
  else
    inverted.push_back(rect);
}

void FakeSurface::focus_frame(const TableRect& rect) { frames.push_back(rect); }

void FakeSurface::xor_line(int32_t x) { xor_lines.push_back(x); }
