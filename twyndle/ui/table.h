// The table window's behaviour, apart from the window system: layouts for
// the owner's views, scrolling with a row cache, painting, selection, keys
// and the mouse. The Win32 window (table_window.h) turns messages into these
// calls and implements the TableSurface they draw on.
//
// The owner may answer a notice (TQ_SELECTED, TQ_ENTER, TQ_TOPROW) by
// replacing the layout, for example when Enter expands a row into a new
// view. Every operation therefore checks, after each notice, that the layout
// it works on is still the current one, and stops when it is not.
#pragma once

#include "twyndle/ui/table_layout.h"
#include "twyndle/ui/table_surface.h"

#include <cstdint>
#include <memory>

struct Table {
  TableSurface* surface = nullptr;     // the window; outlives the record
  std::unique_ptr<TableLayout> layout; // none: the window is empty
  uint32_t generation = 0;             // counts layout changes
  bool resizing = false;               // a resize is running (scroll bars change the client)
  bool resize_again = false;           // the client changed while resizing
};

// Virtual-key numbers of the keys the table uses.
enum TableKey : uint32_t {
  key_return = 0x0D,
  key_space = 0x20,
  key_page_up = 0x21,
  key_page_down = 0x22,
  key_end = 0x23,
  key_home = 0x24,
  key_left = 0x25,
  key_up = 0x26,
  key_right = 0x27,
  key_down = 0x28,
};

// Scroll bar requests, numbered as the platform numbers them.
enum ScrollRequest : int32_t {
  scroll_line_back = 0,
  scroll_line_forward = 1,
  scroll_page_back = 2,
  scroll_page_forward = 3,
  scroll_thumb_position = 4,
};

enum class KeyUse { used, to_owner, ignored };

enum class SelectNotice { none, selected, enter };

// TM_LAYOUT (tell_owner false) and TM_RESET (true): drop the current layout,
// sending TQ_CLOSE for it when asked, and build one for the view (0 = none).
void table_show_view(Table& table, intptr_t view, bool tell_owner);
// Window destruction: TQ_CLOSE for the current layout, which is dropped.
void table_close(Table& table);
// The client area changed size (or a column was resized).
void table_resize(Table& table);

void table_scroll_rows(Table& table, int32_t rows);
void table_scroll_pixels(Table& table, int32_t pixels);
void table_vertical_request(Table& table, int32_t request, int32_t position);
void table_horizontal_request(Table& table, int32_t request, int32_t position);
// TM_SCROLLPOS: with scroll set and row < row count, first makes row the
// first row below the fixed rows; returns the scroll offset (0 without layout).
int32_t table_scroll_position(Table& table, bool scroll, intptr_t row);
// TM_APPEND.
void table_append(Table& table, int32_t row_count, intptr_t view);

// Paints the rows that meet the update rectangle.
void table_paint(Table& table, const TableRect& update);
// Fetches the cells of one row-cache entry that are not valid and draws the
// entry's visible cells. False when the owner replaced the layout while
// answering.
bool table_paint_row(Table& table, int32_t index);

// Stores a selection (whole rows in whole-row mode), draws it and notifies
// the owner. False when the owner replaced the layout meanwhile.
bool table_select(Table& table, int32_t row, int32_t column, int32_t rows,
                  int32_t columns, SelectNotice notice);
// TM_SELECT: selects the row and scrolls it into the middle band.
void table_select_row(Table& table, const TableSelection* selection);
// Inverts the selection's cells when its row is on screen.
void table_invert_selection(Table& table);
// Scrolls a selected row into view after a key: to the first row below the
// fixed rows, or with the bottom flag to the second-last cache entry.
void table_keep_visible(Table& table, bool bottom);
// Moves the selection by rows and columns, or selects the first cell.
void table_move_selection(Table& table, int32_t rows, int32_t columns, bool bottom);

KeyUse table_key(Table& table, uint32_t key, bool control);

void table_mouse_move(Table& table, int32_t x, int32_t y);
void table_button_down(Table& table, int32_t x, int32_t y);
void table_button_up(Table& table, int32_t x, int32_t y);
void table_double_click(Table& table, int32_t x, int32_t y);
// The mouse was taken away in the middle of a drag: the resize line goes and
// the column keeps its width; a pressed cell is released off the cell.
void table_cancel_drag(Table& table);
