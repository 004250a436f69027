// A table on a fake surface with a grid owner: 16-pixel rows (the fake
// default font is 14 + 2 high, 8 wide), so a client 470 pixels high shows
// 30 rows, the last one partly (6 pixels of it).
#pragma once

#include "twyndle/ui/tests/fake_surface.h"

#include <gtest/gtest.h>

// Column answers with one property set.
inline ColumnProps plain_column(int32_t text_length) { return ColumnProps{text_length, CellProps{}}; }

inline ColumnProps column_with(int32_t text_length, int32_t flag, int32_t value) {
  ColumnProps column = plain_column(text_length);
  column.props.flags = flag;
  switch (flag) {
    case prop_alignment: column.props.alignment = value; break;
    case prop_text_colour: column.props.text_colour = static_cast<TableColour>(value); break;
    case prop_font: column.props.font = fake_font(value); break;
    case prop_width: column.props.width = value; break;
    default: break;
  }
  return column;
}

constexpr intptr_t test_view = 0x5150;
constexpr int32_t test_row_height = 16;

class TableTest : public ::testing::Test {
 protected:
  explicit TableTest(int32_t rows = 100, int32_t columns = 3, int32_t width = 400,
                     int32_t height = 470)
      : owner(make_grid_owner(rows, columns)), surface(owner, width, height) {}

  Table& table() { return surface.table; }
  TableLayout& layout() { return *surface.table.layout; }
  const TableSelection& selection() { return surface.table.layout->selection; }

  // Shows the owner's view and paints it, then forgets what that recorded.
  void show() {
    table_show_view(table(), test_view, false);
    surface.paint_pending();
    owner.forget();
    surface.forget_drawing();
  }

  void key(uint32_t code, bool control = false) {
    table_key(table(), code, control);
    surface.paint_pending();
  }

  // The pixel band of a cache index.
  static int32_t top_of(int32_t index) { return index * test_row_height; }

  GridOwner owner;
  FakeSurface surface;
};
