// A View: the rows and columns of one compare run for the table window.
//
// Outline mode shows one row per CompareItem of the attached list (row
// number, name, tag). Expanded mode shows one row per line of one item's
// composite Section list (left line number, change mark, line text; or, with
// side_by_side, the left and the right text in columns 2 and 3).
//
// The View owns its row array and, once attached, its CompareList. The
// worker thread's compare hands it the list and reports appended items (a
// View is the compare list's ListReceiver: view_attach_list,
// view_items_added); the main thread reads cells, counts and states while
// the table paints. Every access to a View's rows holds
// view_lock, and no notice goes to the table while it is held.
//
// Every operation accepts a missing View (or an out-of-range row) and then
// returns 0, none, false or -1 as said.
#pragma once

#include <cstdint>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/list_receiver.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/section.h"
#include "twyndle/ui/table_protocol.h"
#include "twyndle/ui/view_sink.h"

// One displayed line in expanded mode. With only_changes, each run of equal
// lines left out between or around the changes is one row of its own: its
// line is none, its section the Equal Section left out, its numbers those
// of the first line left out, and its text says how many lines it stands for.
struct ViewRow {
  Line* line;            // from the right file for Equal and right-side states, else the left;
                         // none for a row that stands for equal lines left out
  Section* section;      // the composite Section holding the line; its state is the row's
  int32_t left_number;   // 1-based line in the left file (for moved rows: where the
                         // matching text stands there); 0 = no place in the left file
  int32_t right_number;  // the same for the right file
};

struct View final : ListReceiver {
  ViewSink* table = nullptr;           // where notices go; not owned
  CompareList* list = nullptr;         // owned from view_attach_list on
  bool expanded = false;               // false: outline rows, true: expanded rows
  CompareItem* current_item = nullptr; // item expanded now or last; kept in outline mode
  int32_t row_count = 0;               // rows in the current mode
  char number_text[16] = {};           // column 0 text, valid until the next call;
                                       // room for "(%d)" of any 32-bit number
  char gap_text[48] = {};              // the text of a row for equal lines left out,
                                       // valid until the next call
  int32_t width1 = 0;                  // width basis of column 1, in characters
  int32_t width2 = 0;                  // width basis of columns 2 and 3, in characters
  CompareItem** outline_rows = nullptr;// row_count items; only in outline mode
  ViewRow* expanded_rows = nullptr;    // row_count rows; only in expanded mode
  int32_t capacity = 0;                // entries allocated in the current row array
  CompareItem* last_told = nullptr;    // the last item the list's builder reported
                                       // complete; the outline shows no item after it

  int32_t attach_list(CompareList* list) override;
  int32_t items_added() override;
};

// A new empty View in outline mode that tells `table` about its changes.
// None when memory runs out.
View* view_create(ViewSink* table);
// Frees the rows, releases the attached CompareList and frees the View.
void view_delete(View* view);
// Sends TM_RESET with no view: the table drops the View it shows (its owner
// then deletes it on TQ_CLOSE). The View must not be used after this call.
void view_release(View* view);

// Refused (0) when the View already has a list; else the View takes the
// list, hands the title "left : right" to its sink's set_title and returns
// view_outline's result. The compare calls it through ListReceiver.
int32_t view_attach_list(View* view, CompareList* list);
// In outline mode shows the items appended since the last call (TM_APPEND,
// or TM_LAYOUT keeping the top row when a column grew); in every mode
// returns abort_requested (0 without a View).
int32_t view_items_added(View* view);

CompareList* view_list(View* view);

// Rebuilds the outline rows from the list (0 and nothing done without a
// list). With notify: TM_LAYOUT, then TM_SELECT of current_item's row when
// it is in the outline; returns the answer to the last message sent.
intptr_t build_outline(View* view, bool notify);
// build_outline with notify: back to (or first into) outline mode.
intptr_t view_outline(View* view);
// Outline mode, row < row_count: expands that row's item and sends
// TM_LAYOUT. False (rows unchanged) otherwise, or when the item's files
// cannot be read. The caller selects a row afterwards.
bool view_expand(View* view, int32_t row);

// Outline: 0 "%d" of row + 1, 1 name, 2 tag. Expanded: 0 left number
// ("(%d)" for MovedRightLines, none for 0), 1 the state's mark, 2 and 3 the
// line text as side_by_side places it; a row for equal lines left out says
// "... n equal lines left out ..." in both. The text stays the View's:
// column 0 and the text of a row for lines left out until the next call,
// the others until the mode changes. None otherwise.
const char* view_cell_text(View* view, int32_t row, int32_t column);
// view_cell_text with the line texts placed as `side_by_side` says instead
// of as the option does: the listing written for the host has every line's
// text in column 2 (false).
const char* view_cell_text_placed(View* view, int32_t row, int32_t column, bool side_by_side);
// Expanded mode: the row's left number, negative for MovedRightLines rows.
int32_t view_left_number(View* view, int32_t row);
// Expanded mode: the row's right number, negative for MovedLeftLines rows.
int32_t view_right_number(View* view, int32_t row);
// Characters: column 0 is 5, column 1 width1 + width1 / 20, the rest width2.
int32_t view_column_width(View* view, int32_t column);
int32_t view_row_count(View* view);
// The item's state (outline) or the row's section state (expanded).
int32_t view_row_state(View* view, int32_t row);
// Expanded: current_item whatever the row; outline: the row's item.
CompareItem* view_current_item(View* view, int32_t row);
bool view_is_expanded(View* view);
// Expanded mode: the name of the item shown.
const char* view_current_name(View* view);
// The next (forward) or previous change from `start`, or -1. A change is a
// SizesDiffer item in the outline and a non-Equal row when expanded; forward
// skips the rest of the change block that `start` is in, backward returns
// the last row of the previous block. With only_changes the rows for equal
// lines left out stand between the blocks, so every block is visited.
int32_t view_find_change(View* view, int32_t start, bool forward);

// The View that a query's view field names: 1 is `current` (printing),
// 0 none, any other value the View itself.
View* view_for_query(intptr_t value, View* current);
// TQ_PROPS: fills the table's shape. False for a missing View or record.
bool view_answer_props(View* view, TableProps* props);
// TQ_COLUMNS: text lengths (column width + 1), alignment (column 0 centred,
// the rest left) and, when one is given, the font.
bool view_answer_columns(View* view, TableColumnsQuery* query, TableFont font);
// TQ_CELLS: copies each cell's text into its buffer; with colour_marks set
// and not printing, colours the cells by the row's state.
bool view_answer_cells(View* view, TableCellsQuery* query, bool printing);

// True when the calling thread holds view_lock (for checks in tests).
bool view_lock_held();
