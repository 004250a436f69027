// A table on a fake surface with a grid owner. Rows are 16 pixels (the fake
// default font), so a client 470 pixels high shows 30 rows, the last one
// 6 pixels of it. Three columns of 10 characters make slots of 90 pixels:
// columns start at 1, 91 and 181, and a whole row spans 1 to 269.
#pragma once

#include "twyndle/ui/tests/fake_surface.h"

#include <gtest/gtest.h>

constexpr intptr_t test_view = 0x5150;
constexpr int32_t row_height = 16;

inline ColumnProps column_with(int32_t text_length, int32_t flag, intptr_t value) {
  ColumnProps column{text_length, CellProps{}};
  column.props.flags = flag;
  if (flag == prop_alignment) column.props.alignment = static_cast<int32_t>(value);
  if (flag == prop_text_colour) column.props.text_colour = static_cast<TableColour>(value);
  if (flag == prop_font) column.props.font = fake_font(value);
  if (flag == prop_width) column.props.width = static_cast<int32_t>(value);
  return column;
}

class TableTest : public ::testing::Test {
 protected:
  TableTest() : owner(make_grid_owner(100, 3)), surface(owner, 400, 470) {}

  TableLayout& layout() { return *surface.table.layout; }
  const TableSelection& selection() { return surface.table.layout->selection; }

  // Shows the owner's view, paints it and forgets what that recorded.
  void show() {
    table_show_view(surface.table, test_view, false);
    surface.paint_pending();
    owner.forget();
    surface.forget_drawing();
  }
  void key(uint32_t code, bool control = false) {
    table_key(surface.table, code, control);
    surface.paint_pending();
  }
  void scroll(int32_t rows) { table_scroll_rows(surface.table, rows); }
  int32_t selected_row() { return selection().row_count ? selection().start_row : -1; }

  static int32_t top_of(int32_t index) { return index * row_height; }
  static int32_t mid(int32_t index) { return top_of(index) + row_height / 2; }
  static TableRect row_band(int32_t index) {
    return TableRect{1, top_of(index), 269, top_of(index + 1)};
  }

  GridOwner owner;
  FakeSurface surface;
};
