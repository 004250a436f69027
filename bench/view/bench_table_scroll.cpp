// Scrolling a long table one row at a time, from the top to the bottom.
//
// Measured: the table as built, which keeps the cells of the rows that stay
// on screen and asks its owner only for the row that comes into view.
// Reference, in the same run: the same walk when every step repaints the
// whole window and asks for every visible cell again (a table without a
// row cache). The owner formats texts as the row model does.
#include "twyndle/ui/table.h"

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t rows = 100000;
constexpr int32_t columns = 4;
constexpr int32_t visible_height = 59 * 16 + 8;  // 60 rows of 16 pixels
constexpr int32_t width = 1000;

// A window that draws nothing: it paints what is uncovered at once and
// answers the owner's part from a formatted grid.
class BenchSurface : public WindowlessSurface {
 public:
  Table table;
  bool paint_uncovered = true;  // off for the reference, which repaints everything
  long long cell_queries = 0;
  long long characters = 0;

  BenchSurface() { table.surface = this; }

  intptr_t ask_owner(int32_t code, intptr_t record) override {
    if (code == TQ_PROPS) {
      auto* props = reinterpret_cast<TableProps*>(record);
      props->row_count = rows;
      props->column_count = columns;
      props->fixed_columns = 1;
      props->selection_flags = select_whole_row;
      props->report_top_row = 1;
    } else if (code == TQ_COLUMNS) {
      auto* query = reinterpret_cast<TableColumnsQuery*>(record);
      for (int32_t i = 0; i < query->column_count; ++i) query->columns[i].text_length = 60;
    } else if (code == TQ_CELLS) {
      auto* query = reinterpret_cast<TableCellsQuery*>(record);
      CellText& cell = query->cells[0];
      std::snprintf(cell.text, static_cast<size_t>(cell.buffer_length), "%d\tline %d of column %d",
                    query->row + 1, query->row, query->first_column);
      ++cell_queries;
    }
    return 1;
  }
  FontMetrics font_metrics(TableFont) override { return FontMetrics{8, 14, 2}; }
  int32_t text_width(TableFont, const char*, int32_t length) override { return length * 8; }
  int32_t client_width() override { return width; }
  int32_t client_height() override { return visible_height; }
  void scroll_contents(int32_t band_top, int32_t dy) override {
    if (!paint_uncovered) return;
    TableRect band = dy < 0 ? TableRect{0, visible_height + dy, width, visible_height}
                            : TableRect{0, band_top, width, band_top + dy};
    table_paint(table, band);
  }
  void fill(const TableRect&, TableColour) override {}
  void draw_text(const TableRect&, int32_t, int32_t, const char*, int32_t length,
                 const TextStyle&) override {
    characters += length;
  }
  void draw_line(int32_t, int32_t, int32_t, int32_t) override {}
};

struct Result {
  double seconds;
  long long steps;
  long long cell_queries;
};

Result walk(bool repaint_everything) {
  BenchSurface surface;
  surface.paint_uncovered = !repaint_everything;
  table_show_view(surface.table, 1, false);
  const TableRect all{0, 0, width, visible_height};
  table_paint(surface.table, all);
  surface.cell_queries = 0;
  long long steps = 0;
  auto start = std::chrono::steady_clock::now();
  while (surface.table.layout->scroll_offset < layout_max_offset(*surface.table.layout)) {
    table_scroll_rows(surface.table, 1);
    if (repaint_everything) {
      TableLayout& layout = *surface.table.layout;
      layout_invalidate_rows(layout, 0, layout.visible_rows);
      table_paint(surface.table, all);
    }
    ++steps;
  }
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  return Result{elapsed.count(), steps, surface.cell_queries};
}

void report(const char* name, const Result& result) {
  std::printf("%-34s %8lld steps  %7.3f s  %8.2f us/step  %6.1f cells asked/step\n", name,
              result.steps, result.seconds, result.seconds * 1e6 / result.steps,
              static_cast<double>(result.cell_queries) / result.steps);
}

}  // namespace

int main() {
  std::printf("table of %d rows x %d columns, 60 visible rows, scrolled one row at a time\n",
              rows, columns);
  Result cached = walk(false);
  Result reference = walk(true);
  report("row cache (the table)", cached);
  report("reference: repaint and ask all", reference);
  std::printf("speed-up %.1fx, cells asked %.1fx fewer\n", reference.seconds / cached.seconds,
              static_cast<double>(reference.cell_queries) / cached.cell_queries);
  return 0;
}
