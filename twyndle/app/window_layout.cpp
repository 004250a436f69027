#include "twyndle/app/window_layout.h"

#include <cstdint>

#include "twyndle/app/app_state.h"
#include "twyndle/res/resource.h"
#include "twyndle/ui/status_bar.h"
#include "twyndle/ui/table_window.h"

namespace {
int32_t status_bar_pixels = 0;

// The label and the buttons, in the order the bar places them; the seventh
// slot stays empty. The label (0x54) is placed from the left, follows its
// text and is at least 14 characters wide; the buttons (0x19) follow their
// text, so a button without text takes no room.
StatusItemList* make_status_items() {
  StatusItemList* items = create_status_items(7);
  if (!items) return nullptr;
  set_status_item(items, 0, status_label, 0x54, IDC_STATUS_LABEL, 14, nullptr);
  set_status_item(items, 1, status_button, 0x19, IDM_NEXT_CHANGE, 8, "");
  set_status_item(items, 2, status_button, 0x19, IDM_PREVIOUS_CHANGE, 8, "");
  set_status_item(items, 3, status_button, 0x19, IDM_PRINT, 8, "");
  set_status_item(items, 4, status_button, 0x19, IDC_EXIT_BUTTON, 8, "Exit");
  set_status_item(items, 5, status_button, 0x19, IDM_SAVE, 8, "");
  return items;
}
}  // namespace

void create_children(HWND main_window) {
  StatusItemList* items = make_status_items();
  status_bar_pixels = items ? status_height(items) : 0;
  RECT client;
  GetClientRect(main_window, &client);
  RECT bar = {0, 0, client.right, status_bar_pixels};
  app.status_bar = items ? create_status_bar(main_window, IDC_STATUS, bar, items) : nullptr;
  RECT rest = {0, status_bar_pixels, client.right, client.bottom};
  app.table = create_table_window(main_window, IDC_TABLE, rest, main_window);
}

void layout_children() {
  if (!app.main_window) return;
  RECT client;
  GetClientRect(app.main_window, &client);
  if (app.status_bar) MoveWindow(app.status_bar, 0, 0, client.right, status_bar_pixels, TRUE);
  if (app.table) {
    int32_t rest = client.bottom - status_bar_pixels;
    MoveWindow(app.table, 0, status_bar_pixels, client.right, rest > 0 ? rest : 0, TRUE);
  }
}
