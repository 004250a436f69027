// The layout of one shown view: the owner's answers, the measured columns,
// the scroll state, the row cache of visible cells, the drag state and the
// selection. Built by querying the owner; the window code in table.h drives
// it. Row numbers here are 0-based table rows; "index" is a row-cache index
// (a window row counted from the top of the client area).
#pragma once

#include "twyndle/ui/table_protocol.h"
#include "twyndle/ui/table_surface.h"

#include <cstdint>
#include <memory>
#include <vector>

// Owner answers beyond these are treated as these.
constexpr int32_t table_max_columns = 4096;
constexpr int32_t table_max_text_length = 1 << 16;
// The platform's scroll bars hold 16-bit positions.
constexpr int32_t table_scroll_limit = 32766;

struct ColumnPosition {
  int32_t start_x;          // where the slot starts (may be left of the window)
  int32_t visible_start_x;  // never left of the fixed columns' end plus one
  int32_t end_x;            // start_x + slot_width - 2
  int32_t slot_width;       // width in pixels plus the 2-pixel gap
};

struct RowCacheEntry {
  int32_t top;
  int32_t bottom;
  int32_t height;
  std::vector<CellText> cells;   // one per column; text points into text_store
  std::vector<char> text_store;  // every cell's buffer, back to back
};

enum class DragState { idle, resizing, selecting };

struct TableLayout {
  TableProps props;
  std::vector<ColumnProps> columns;   // props.column_count entries
  TableFont font;                     // the table font; none = the window's default
  int32_t char_width;                 // of the table font, at least 1
  int32_t row_height;                 // at least 1
  int32_t total_width;                // sum of the slot widths
  int32_t client_width;
  int32_t visible_rows;               // == rows.size(); 0 when the cache could not be made
  std::vector<ColumnPosition> positions;
  int32_t scroll_scale;               // 1 or a power of 16
  int32_t scroll_offset;              // rows scrolled past the fixed rows
  int32_t horizontal_offset;          // pixels scrolled sideways
  std::vector<RowCacheEntry> rows;
  DragState drag;
  int32_t drag_column;
  int32_t drag_x;
  int32_t second_line_x;              // -1 when the column start is off screen
  TableSelection selection;
  bool selection_drawn;
};

// Asks the owner for the view's properties and columns and measures them.
// Sends TQ_SELECTED for the empty selection. None when the owner has nothing
// to show or memory runs out.
std::unique_ptr<TableLayout> layout_build(TableSurface& surface, intptr_t view);
// The first part of a build: the owner's properties (asked over `start`)
// and columns, nothing selected, nothing measured.
std::unique_ptr<TableLayout> layout_ask(TableSurface& surface, intptr_t view, const TableProps& start);

// The owner's TQ_PROPS answer made safe to index with.
void layout_sanitise_props(TableProps& props);
// Asks the owner for every column's properties (TQ_COLUMNS) and makes room
// for their positions. False when memory runs out.
bool layout_ask_columns(TableSurface& surface, TableLayout& layout);

// Char width, row height, slot widths, total width and column positions.
void layout_measure(TableLayout& layout, TableSurface& surface);
// Char width and row height of the defaults' font (none: the surface's own
// font), or the defaults' row height.
void layout_measure_font(TableLayout& layout, TableSurface& surface);
void layout_place_columns(TableLayout& layout);

// A new row cache of `count` entries, every cell not valid. False (and an
// empty cache) when memory runs out.
bool layout_make_row_cache(TableLayout& layout, int32_t count);
void layout_place_rows(TableLayout& layout);
void layout_invalidate_rows(TableLayout& layout, int32_t first_index, int32_t count);

// The largest scroll offset: row count - visible rows + 1, at least 0.
int32_t layout_max_offset(const TableLayout& layout);
// Sets the scroll scale for the current maximum and returns the scroll
// bar's maximum (the largest offset divided by the scale).
int32_t layout_update_scale(TableLayout& layout);

// The fixed rows that are on screen (fixed rows beyond the cache are not).
int32_t layout_fixed_rows(const TableLayout& layout);
// The table row at a cache index.
int32_t layout_row_at(const TableLayout& layout, int32_t index);
// The cache index of a table row, or -1 when it is not on screen.
int32_t layout_index_of(const TableLayout& layout, int32_t row);
// The cache index under a client y, or -1.
int32_t layout_index_at_y(const TableLayout& layout, int32_t y);
// The column whose visible slot holds x, or -1.
int32_t layout_column_at(const TableLayout& layout, int32_t x);
// The column whose end x lies within 2 pixels of x (the column under x, or
// the one before it), or -1.
int32_t layout_column_end_near(const TableLayout& layout, int32_t x);

bool layout_is_whole_row(const TableLayout& layout);
