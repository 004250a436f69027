// Scrolling. The row cache follows a vertical scroll: entries that stay on
// screen keep their cells (and their fetched texts), the window contents are
// moved by the same number of rows, and only the uncovered band is painted
// and fetched again. Long tables scroll on offsets divided by a power of 16
// so that the scroll bar's 16-bit range holds them.
#include "twyndle/ui/table.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Moves the cache entries below the fixed rows by `moved` rows (positive:
// the table moved up) and marks the entries that came into view not valid.
void shift_cache(TableLayout& layout, int32_t moved) {
  int32_t fixed = layout_fixed_rows(layout);
  int32_t span = layout.visible_rows - fixed;
  auto first = layout.rows.begin() + fixed;
  auto last = layout.rows.end();
  if (std::abs(moved) >= span) {
    layout_invalidate_rows(layout, fixed, span);
  } else if (moved > 0) {
    std::rotate(first, first + moved, last);
    layout_invalidate_rows(layout, layout.visible_rows - moved, moved);
  } else if (moved < 0) {
    std::rotate(first, last + moved, last);
    layout_invalidate_rows(layout, fixed, -moved);
  }
  layout_place_rows(layout);
}

// At least one row or pixel, so that a tiny window still pages forward.
int32_t page_rows(const TableLayout& layout) {
  return std::max(layout.visible_rows - 3, 1);
}

}  // namespace

void table_scroll_rows(Table& table, int32_t rows) {
  if (!table.layout) return;
  TableLayout& layout = *table.layout;
  TableSurface& surface = *table.surface;
  int64_t wanted = static_cast<int64_t>(layout.scroll_offset) + rows;
  int32_t offset = static_cast<int32_t>(
      std::min<int64_t>(std::max<int64_t>(wanted, 0), layout_max_offset(layout)));
  int32_t moved = offset - layout.scroll_offset;
  layout.scroll_offset = offset;

  surface.set_scroll_position(ScrollBar::vertical, offset / layout.scroll_scale);
  if (layout.props.report_top_row) {
    uint32_t generation = table.generation;
    surface.ask_owner(TQ_TOPROW, offset);
    if (table.generation != generation) return;
  }
  if (moved == 0) return;
  int32_t fixed = layout_fixed_rows(layout);
  if (std::abs(moved) < layout.visible_rows) {
    shift_cache(layout, moved);
    surface.scroll_contents(fixed * layout.row_height, -moved * layout.row_height);
  } else {
    layout_invalidate_rows(layout, fixed, layout.visible_rows - fixed);
    layout_place_rows(layout);
    surface.invalidate_all();
  }
}

void table_scroll_pixels(Table& table, int32_t pixels) {
  if (!table.layout) return;
  TableLayout& layout = *table.layout;
  int32_t maximum = std::max(layout.total_width - layout.client_width, 0);
  int64_t wanted = static_cast<int64_t>(layout.horizontal_offset) + pixels;
  layout.horizontal_offset =
      static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(wanted, 0), maximum));
  table.surface->set_scroll_position(ScrollBar::horizontal, layout.horizontal_offset);
  layout_place_columns(layout);
  table.surface->invalidate_all();
}

void table_vertical_request(Table& table, int32_t request, int32_t position) {
  if (!table.layout) return;
  const TableLayout& layout = *table.layout;
  switch (request) {
    case scroll_line_back: table_scroll_rows(table, -1); break;
    case scroll_line_forward: table_scroll_rows(table, 1); break;
    case scroll_page_back: table_scroll_rows(table, -page_rows(layout)); break;
    case scroll_page_forward: table_scroll_rows(table, page_rows(layout)); break;
    case scroll_thumb_position: {
      int64_t row = static_cast<int64_t>(position) * layout.scroll_scale;
      table_scroll_rows(table, static_cast<int32_t>(
                                   std::min<int64_t>(row, INT32_MAX) - layout.scroll_offset));
      break;
    }
    default: break;  // thumb tracking and the rest
  }
}

void table_horizontal_request(Table& table, int32_t request, int32_t position) {
  if (!table.layout) return;
  const TableLayout& layout = *table.layout;
  int32_t page = std::max(layout.client_width * 2 / 3, 1);
  switch (request) {
    case scroll_line_back: table_scroll_pixels(table, -layout.char_width); break;
    case scroll_line_forward: table_scroll_pixels(table, layout.char_width); break;
    case scroll_page_back: table_scroll_pixels(table, -page); break;
    case scroll_page_forward: table_scroll_pixels(table, page); break;
    case scroll_thumb_position:
      table_scroll_pixels(table, position - layout.horizontal_offset);
      break;
    default: break;
  }
}

int32_t table_scroll_position(Table& table, bool scroll, intptr_t row) {
  if (!table.layout) return 0;
  uint32_t generation = table.generation;
  if (scroll && row < table.layout->props.row_count) {
    int64_t offset = static_cast<int64_t>(row) - table.layout->props.fixed_rows;
    offset = std::max<int64_t>(offset, 0);
    table_scroll_rows(table, static_cast<int32_t>(offset - table.layout->scroll_offset));
  }
  if (table.generation != generation || !table.layout) return 0;
  return table.layout->scroll_offset;
}

void table_append(Table& table, int32_t row_count, intptr_t view) {
  if (!table.layout) return;
  TableLayout& layout = *table.layout;
  layout.props.view = view;
  layout.selection.view = view;
  int32_t old_count = layout.props.row_count;
  if (row_count <= old_count) return;
  layout.props.row_count = row_count;
  int32_t range = layout_update_scale(layout);
  table.surface->set_scroll_range(ScrollBar::vertical, range);
  if (range > 0)
    table.surface->set_scroll_position(ScrollBar::vertical,
                                       layout.scroll_offset / layout.scroll_scale);
  // Rows past the old end were painted empty; those now on screen fill in.
  int32_t index = layout_index_of(layout, old_count);
  if (index < 0) return;
  int32_t count = static_cast<int32_t>(
      std::min<int64_t>(static_cast<int64_t>(row_count) - old_count,
                        layout.visible_rows - index));
  layout_invalidate_rows(layout, index, count);
  table.surface->invalidate(TableRect{0, index * layout.row_height, layout.client_width,
                                      (index + count) * layout.row_height});
}
