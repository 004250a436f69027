// A table owner for tests: answers the table's queries from a grid (cell
// texts "r<row>c<column>" unless a test supplies them) and records every
// cell query and notice.
#pragma once

#include "twyndle/ui/table_protocol.h"

#include <functional>
#include <string>
#include <vector>

struct OwnerNotice {
  int32_t code;              // TQ_SELECTED, TQ_ENTER, TQ_CLOSE or TQ_TOPROW
  TableSelection selection;  // TQ_SELECTED and TQ_ENTER
  intptr_t value;            // TQ_CLOSE and TQ_TOPROW
};

struct GridOwner {
  TableProps props{};                 // the TQ_PROPS answer (view kept)
  bool shows_nothing = false;         // answer TQ_PROPS with false
  std::vector<ColumnProps> columns;   // missing ones: text length 10
  std::function<std::string(int32_t row, int32_t column)> text;
  std::function<void(int32_t row, int32_t column, CellText& cell)> style;
  std::function<void(const OwnerNotice& notice)> on_notice;  // answers a notice

  int32_t props_queries = 0;
  std::vector<int32_t> rows_asked;    // one entry per cell asked for
  std::vector<OwnerNotice> notices;

  intptr_t answer(int32_t code, intptr_t record);
  std::vector<OwnerNotice> notices_of(int32_t code) const;
  // The start row of the last TQ_SELECTED, -1 for none or an empty one.
  int32_t selected_row() const;
  void forget();
};

// Whole-row selection and a fixed first column with its rule, as twyndle
// shows its rows.
GridOwner make_grid_owner(int32_t rows, int32_t columns);
