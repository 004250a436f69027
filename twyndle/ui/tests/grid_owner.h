// A table owner for tests: answers the table's queries from a simple grid
// (row r, column c shows "r<r>c<c>" unless a test supplies texts) and records
// every query and notice it gets.
#pragma once

#include "twyndle/ui/table_protocol.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct OwnerNotice {
  int32_t code;              // TQ_SELECTED, TQ_ENTER, TQ_CLOSE or TQ_TOPROW
  TableSelection selection;  // for TQ_SELECTED and TQ_ENTER
  intptr_t value;            // for TQ_CLOSE and TQ_TOPROW
};

struct CellQuery {
  int32_t row;
  int32_t column;
};

struct GridOwner {
  // The answer to TQ_PROPS (its view is the one asked for); no answer when
  // shows_nothing is set.
  TableProps props{};
  bool shows_nothing = false;
  // Column answers; missing ones get a text length of 10.
  std::vector<ColumnProps> columns;
  // Cell texts and properties; the default gives "r<row>c<column>".
  std::function<std::string(int32_t row, int32_t column)> text;
  std::function<void(int32_t row, int32_t column, CellText& cell)> style;
  // Called after a notice was recorded, to answer it as an owner might.
  std::function<void(const OwnerNotice& notice)> on_notice;

  int32_t props_queries = 0;
  int32_t column_queries = 0;
  std::vector<CellQuery> cell_queries;
  std::vector<OwnerNotice> notices;

  // The owner's side of SCTabMsg.
  intptr_t answer(int32_t code, intptr_t record);

  // Notices of one kind, in order.
  std::vector<OwnerNotice> notices_of(int32_t code) const;
  void forget();  // clears the records
};

// A grid owner with whole-row selection and a fixed first column, as twyndle
// uses it: rows x columns, 10 characters per column.
GridOwner make_grid_owner(int32_t rows, int32_t columns);
