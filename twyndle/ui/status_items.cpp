// Status bar items and their layout. Items are placed in list order into a
// free span that shrinks from the left (items with status_from_left) or
// from the right (the others), so the first right-placed item stands at the
// far right and later ones follow to its left. An item that no longer fits
// gets what is left when that is at least 2 pixels; later items get nothing.
#include "twyndle/ui/status_items.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

void copy_text(StatusItem& item, const char* text) {
  item.text[0] = '\0';
  if (text) std::strncat(item.text, text, status_text_max);
}

// The span still free for items, in pixels; right is inclusive.
struct FreeSpan {
  int32_t left;
  int32_t right;
  bool used_up;
};

StatusRect place_from_left(FreeSpan& span, int32_t width) {
  if (span.left + width < span.right) {
    StatusRect rect{span.left, 0, span.left + width, 0};
    span.left += width + 1;
    return rect;
  }
  if (span.right - span.left >= 2) {
    span.used_up = true;
    return StatusRect{span.left, 0, span.right - 1, 0};
  }
  return StatusRect{0, 0, 0, 0};
}

StatusRect place_from_right(FreeSpan& span, int32_t width) {
  if (span.left + width < span.right) {
    StatusRect rect{span.right - width, 0, span.right, 0};
    span.right -= width + 1;
    return rect;
  }
  if (span.right - span.left >= 2) {
    span.used_up = true;
    return StatusRect{span.left + 1, 0, span.right, 0};
  }
  return StatusRect{0, 0, 0, 0};
}

}  // namespace

StatusItemList* create_status_items(int32_t n) {
  if (n < 0) return nullptr;
  StatusItemList* list = new (std::nothrow) StatusItemList{};
  if (!list) return nullptr;
  list->items = new (std::nothrow) StatusItem[n > 0 ? n : 1]();
  if (!list->items) {
    delete list;
    return nullptr;
  }
  list->count = n;
  list->pressed = -1;
  return list;
}

void free_status_items(StatusItemList* list) {
  if (!list) return;
  delete[] list->items;
  delete list;
}

bool set_status_item(StatusItemList* list, int32_t index, int32_t kind, int32_t flags,
                     int32_t identifier, int32_t width, const char* text) {
  if (!list || index < 0 || index >= list->count) return false;
  StatusItem& item = list->items[index];
  item = StatusItem{};
  item.kind = kind;
  item.flags = flags;
  item.identifier = identifier;
  item.width = std::max(width, 0);
  copy_text(item, text);
  return true;
}

int32_t status_set_text(StatusItemList* list, int32_t identifier, const char* text) {
  if (!list) return -1;
  for (int32_t i = 0; i < list->count; ++i) {
    if (list->items[i].kind == status_empty || list->items[i].identifier != identifier) continue;
    copy_text(list->items[i], text);
    return i;
  }
  return -1;
}

int32_t status_item_height(const StatusItem& item, int32_t line_height) {
  return item.kind == status_button ? line_height + 6 : line_height + 2;
}

int32_t status_bar_height(const StatusItemList* list, int32_t line_height) {
  if (!list || list->count == 0) return line_height + 4;
  int32_t tallest = 0;
  for (int32_t i = 0; i < list->count; ++i)
    tallest = std::max(tallest, status_item_height(list->items[i], line_height));
  return tallest + 4;
}

int32_t status_item_width(const StatusItem& item, int32_t char_width, StatusMeasure& measure) {
  if (item.kind == status_empty) return 0;
  int32_t given = item.width * char_width;
  int32_t width = given;
  if (item.flags & status_fit_text) {
    width = item.text[0] ? measure.text_width(item.text) : 0;
    if ((item.flags & status_at_least) && width < given) width = given;
    if ((item.flags & status_at_most) && width > given) width = given;
  }
  if (width <= 0) return 0;
  return width + (item.kind == status_button ? 6 : 4);
}

void status_layout(StatusItemList* list, int32_t client_width, int32_t client_height,
                   int32_t char_width, int32_t line_height, StatusMeasure& measure) {
  if (!list) return;
  FreeSpan span{char_width / 2, client_width - char_width / 2, false};
  for (int32_t i = 0; i < list->count; ++i) {
    StatusItem& item = list->items[i];
    int32_t width = status_item_width(item, char_width, measure);
    StatusRect rect{0, 0, 0, 0};
    // An item of no width takes no room.
    if (width > 0 && !span.used_up)
      rect = (item.flags & status_from_left) ? place_from_left(span, width)
                                             : place_from_right(span, width);
    if (rect.left < rect.right) {
      int32_t height = status_item_height(item, line_height);
      rect.top = (client_height - height) / 2;
      rect.bottom = rect.top + height;
    }
    item.rect = rect;
  }
}

int32_t status_item_at(const StatusItemList* list, int32_t x, int32_t y) {
  if (!list) return -1;
  for (int32_t i = 0; i < list->count; ++i) {
    const StatusRect& rect = list->items[i].rect;
    if (status_rect_empty(rect)) continue;
    if (x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom) return i;
  }
  return -1;
}

bool status_rect_empty(const StatusRect& rect) {
  return rect.left >= rect.right || rect.top >= rect.bottom;
}
