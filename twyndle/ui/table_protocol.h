// The records and codes exchanged between the table window (SCTabDisplay)
// and its owner. The table owns no data: it asks its owner, through the
// registered message SCTabMsg (wParam = query code, lParam = record), for the
// table's shape, the columns and the text of each cell that comes into view,
// and tells it about selections. The owner changes the table with the TM_*
// messages. Every record field is 32 bits wide on the 32-bit target; "view"
// is the owner's value that names what is shown and is passed back unchanged.
//
// This header is portable so that the row model can answer the queries
// without the window system.
#pragma once

#include <cstdint>

// A font handle of the window system (HFONT on Windows); none = not set.
typedef void* TableFont;

// A colour as 0x00BBGGRR (COLORREF on Windows).
typedef uint32_t TableColour;

constexpr TableColour table_rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

// Names of the window class and of the registered message.
constexpr const char* table_class_name = "SCTabDisplay";
constexpr const char* table_message_name = "SCTabMsg";

// Queries and notices sent to the owner (wParam of SCTabMsg).
enum TableQuery : int32_t {
  TQ_PROPS = 1,     // lParam = TableProps with its view set; true when filled
  TQ_COLUMNS = 2,   // lParam = TableColumnsQuery; true
  TQ_CELLS = 3,     // lParam = TableCellsQuery; true
  TQ_SELECTED = 5,  // lParam = the table's TableSelection
  TQ_ENTER = 6,     // lParam = the table's TableSelection
  TQ_CLOSE = 7,     // lParam = the view of the layout that is dropped
  TQ_TOPROW = 8,    // lParam = the new scroll offset
};

// Messages to the table window (WM_USER + n).
constexpr uint32_t table_wm_user = 0x0400;
constexpr uint32_t TM_LAYOUT = table_wm_user + 1;     // lParam = view
constexpr uint32_t TM_RESET = table_wm_user + 2;      // lParam = view or 0
constexpr uint32_t TM_SELECT = table_wm_user + 3;     // lParam = TableSelection
constexpr uint32_t TM_PRINT = table_wm_user + 4;      // printing
constexpr uint32_t TM_SCROLLPOS = table_wm_user + 5;  // wParam 1: scroll to row lParam
constexpr uint32_t TM_APPEND = table_wm_user + 7;     // wParam = rows, lParam = view

// Property flags of TableProps defaults, ColumnProps and CellText.
enum TablePropFlag : int32_t {
  prop_text_colour = 0x01,
  prop_background = 0x02,
  prop_font = 0x04,
  prop_alignment = 0x08,
  prop_box = 0x20,
  prop_width = 0x40,
  prop_row_height = 0x80,
};

enum TableAlignment : int32_t { align_left = 0, align_right = 1, align_centre = 2 };

// Selection flags of TableProps.
enum TableSelectionFlag : int32_t {
  select_whole_row = 0x01,
  select_first_column_only = 0x04,  // highlight the first selected column, frame the rest
};

// Cell properties: the table's defaults and each column's own.
struct CellProps {
  int32_t flags;               // TablePropFlag bits: which of the fields below are set
  TableColour text_colour;
  TableColour background;
  TableFont font;
  int32_t alignment;           // TableAlignment
  int32_t box_flags;           // carried, no effect
  int32_t width;               // pixels
  int32_t row_height;          // pixels; only the table-wide default is used
};

// The answer to TQ_PROPS.
struct TableProps {
  intptr_t view;
  int32_t row_count;
  int32_t column_count;
  int32_t fixed_rows;          // leading rows that do not scroll vertically
  int32_t fixed_columns;       // leading columns that do not scroll sideways
  int32_t fixed_selectable;    // fixed cells may be selected
  int32_t rule_under_fixed_rows;
  int32_t rule_after_fixed_columns;
  int32_t selection_flags;     // TableSelectionFlag bits
  int32_t report_top_row;      // send TQ_TOPROW on vertical scrolling
  CellProps defaults;
};

// One per column, filled by TQ_COLUMNS.
struct ColumnProps {
  int32_t text_length;         // each cell's buffer size, terminator included; width basis
  CellProps props;
};

// One per visible cell, held in the table's row cache.
struct CellText {
  int32_t buffer_length;       // bytes in text, terminator included
  char* text;                  // none when buffer_length is 0
  int32_t flags;               // TablePropFlag bits set by the owner (then filled in)
  TableColour text_colour;
  TableColour background;
  TableFont font;
  int32_t alignment;
  int32_t box_flags;
  int32_t valid;               // text and properties are current
};

struct TableColumnsQuery {
  intptr_t view;
  int32_t first_column;
  int32_t column_count;
  ColumnProps* columns;        // column_count entries, for first_column onwards
};

// Every cell comes with its buffer, an empty text and no property flags.
struct TableCellsQuery {
  intptr_t view;
  int32_t row;
  int32_t first_column;
  int32_t column_count;
  CellText* cells;             // column_count entries
};

// A row count of 0 means no selection.
struct TableSelection {
  intptr_t view;
  int32_t start_row;
  int32_t start_column;
  int32_t row_count;
  int32_t column_count;
};
