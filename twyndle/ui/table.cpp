// Layout changes and resizing of the table.
#include "twyndle/ui/table.h"

#include <algorithm>

namespace {

// Drops the current layout. The layout leaves the table before the owner
// hears of it, so that whatever the owner does in answer cannot reach it.
void drop_layout(Table& table, bool tell_owner) {
  std::unique_ptr<TableLayout> old = std::move(table.layout);
  ++table.generation;
  if (!old) return;
  if (old->drag != DragState::idle) table.surface->capture_mouse(false);
  if (tell_owner) table.surface->ask_owner(TQ_CLOSE, old->props.view);
}

void show_empty(Table& table) {
  table.surface->set_scroll_range(ScrollBar::vertical, 0);
  table.surface->set_scroll_range(ScrollBar::horizontal, 0);
  table.surface->invalidate_all();
}

void resize_once(Table& table) {
  TableLayout& layout = *table.layout;
  TableSurface& surface = *table.surface;
  uint32_t generation = table.generation;
  layout.client_width = surface.client_width();
  int32_t visible = std::max(surface.client_height(), 0) / layout.row_height + 1;
  if (visible != layout.visible_rows) layout_make_row_cache(layout, visible);

  surface.set_scroll_range(ScrollBar::vertical, layout_update_scale(layout));
  int32_t in_range = std::min(std::max(layout.scroll_offset, 0), layout_max_offset(layout));
  table_scroll_rows(table, in_range - layout.scroll_offset);
  if (table.generation != generation) return;

  int32_t maximum = std::max(layout.total_width - layout.client_width, 0);
  surface.set_scroll_range(ScrollBar::horizontal, maximum);
  int32_t sideways = std::min(std::max(layout.horizontal_offset, 0), maximum);
  table_scroll_pixels(table, sideways - layout.horizontal_offset);
}

}  // namespace

void table_show_view(Table& table, intptr_t view, bool tell_owner) {
  drop_layout(table, tell_owner);
  table.surface->set_pointer(TablePointer::arrow);
  if (view == 0) {
    show_empty(table);
    return;
  }
  uint32_t generation = table.generation;
  std::unique_ptr<TableLayout> layout = layout_build(*table.surface, view);
  // The owner showed another view while answering: that one stands.
  if (table.generation != generation) return;
  if (!layout) {
    show_empty(table);
    return;
  }
  table.layout = std::move(layout);
  ++table.generation;
  table_resize(table);
  table.surface->invalidate_all();
}

void table_close(Table& table) { drop_layout(table, true); }

void table_resize(Table& table) {
  if (!table.layout) return;
  if (table.resizing) {
    table.resize_again = true;
    return;
  }
  table.resizing = true;
  uint32_t generation = table.generation;
  // A scroll bar that comes or goes changes the client area and asks for
  // another resize; a few passes settle it.
  for (int pass = 0; pass < 4 && table.generation == generation && table.layout; ++pass) {
    table.resize_again = false;
    resize_once(table);
    if (!table.resize_again) break;
  }
  table.resizing = false;
}
