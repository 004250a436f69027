#include "twyndle/ui/tests/grid_owner.h"

#include <algorithm>
#include <cstring>

namespace {

void fill_cell(GridOwner& owner, int32_t row, int32_t column, CellText& cell) {
  std::string text = owner.text ? owner.text(row, column)
                                : "r" + std::to_string(row) + "c" + std::to_string(column);
  if (cell.buffer_length > 0) {
    size_t length = std::min<size_t>(text.size(), static_cast<size_t>(cell.buffer_length - 1));
    std::memcpy(cell.text, text.data(), length);
    cell.text[length] = '\0';
  }
  if (owner.style) owner.style(row, column, cell);
}

}  // namespace

intptr_t GridOwner::answer(int32_t code, intptr_t record) {
  if (code == TQ_PROPS) {
    ++props_queries;
    auto* answer = reinterpret_cast<TableProps*>(record);
    intptr_t view = answer->view;
    *answer = props;
    answer->view = view;
    return !shows_nothing;
  }
  if (code == TQ_COLUMNS) {
    auto* query = reinterpret_cast<TableColumnsQuery*>(record);
    for (int32_t i = 0; i < query->column_count; ++i) {
      size_t c = static_cast<size_t>(query->first_column + i);
      query->columns[i] = c < columns.size() ? columns[c] : ColumnProps{10, CellProps{}};
    }
    return 1;
  }
  if (code == TQ_CELLS) {
    auto* query = reinterpret_cast<TableCellsQuery*>(record);
    for (int32_t i = 0; i < query->column_count; ++i) {
      rows_asked.push_back(query->row);
      fill_cell(*this, query->row, query->first_column + i, query->cells[i]);
    }
    return 1;
  }
  bool selection = code == TQ_SELECTED || code == TQ_ENTER;
  notices.push_back(OwnerNotice{
      code, selection ? *reinterpret_cast<TableSelection*>(record) : TableSelection{},
      selection ? 0 : record});
  OwnerNotice told = notices.back();  // the answer may record more notices
  if (on_notice) on_notice(told);
  return 1;
}

std::vector<OwnerNotice> GridOwner::notices_of(int32_t code) const {
  std::vector<OwnerNotice> found;
  std::copy_if(notices.begin(), notices.end(), std::back_inserter(found),
               [code](const OwnerNotice& notice) { return notice.code == code; });
  return found;
}

int32_t GridOwner::selected_row() const {
  std::vector<OwnerNotice> selected = notices_of(TQ_SELECTED);
  if (selected.empty() || selected.back().selection.row_count == 0) return -1;
  return selected.back().selection.start_row;
}

void GridOwner::forget() {
  props_queries = 0;
  rows_asked.clear();
  notices.clear();
}

GridOwner make_grid_owner(int32_t rows, int32_t columns) {
  GridOwner owner;
  owner.props.row_count = rows;
  owner.props.column_count = columns;
  owner.props.fixed_columns = 1;
  owner.props.rule_after_fixed_columns = 1;
  owner.props.rule_under_fixed_rows = 1;
  owner.props.selection_flags = select_whole_row;
  return owner;
}
