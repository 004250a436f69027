// The print layout and the pages. The print layout is a TableLayout of its
// own, held by a Table of its own whose surface is the printer, so that the
// cells are fetched, inherited and drawn by exactly the code that paints the
// window; what differs is only where the rows and columns stand: the rows
// of one page from the table box's top, the columns from its left edge and
// clipped at its right edge, and the scroll offset set page by page.
#include "twyndle/ui/table_print.h"

#include "twyndle/engine/program_state.h"
#include "twyndle/ui/table_text.h"

#include <algorithm>

namespace {

constexpr const char* document_name = "Table";

int32_t clamp32(int64_t value, int64_t low, int64_t high) {
  return static_cast<int32_t>(std::min(std::max(value, low), high));
}

int32_t print_column_width(const TableLayout& layout, const ColumnProps& column) {
  if (column.props.flags & prop_width) return column.props.width;
  if (layout.props.defaults.flags & prop_width) return layout.props.defaults.width;
  return clamp32((static_cast<int64_t>(column.text_length) + 1) * layout.char_width, 0, 1 << 24);
}

// Columns side by side from the table box's left edge, each ending at the
// box's right edge at the latest; a column that starts past it is not drawn.
void place_print_columns(TableLayout& layout, const TableRect& box) {
  int64_t x = box.left;
  int64_t total = 0;
  for (size_t c = 0; c < layout.columns.size(); ++c) {
    int32_t width = std::max(print_column_width(layout, layout.columns[c]), 0);
    ColumnPosition& position = layout.positions[c];
    position.start_x = clamp32(x + 1, INT32_MIN / 2, INT32_MAX / 2);
    position.visible_start_x = position.start_x;
    position.end_x = clamp32(std::min<int64_t>(x + 1 + width, box.right), INT32_MIN / 2, INT32_MAX / 2);
    position.slot_width = clamp32(static_cast<int64_t>(width) + 2, 2, 1 << 24);
    x += position.slot_width;
    total += position.slot_width;
  }
  layout.total_width = clamp32(total, 0, INT32_MAX / 2);
  layout.client_width = box.right;
}

void place_line(PrintLine* line, const PageGeometry& geometry, int32_t row_height, bool header) {
  if (!line) return;
  const TableRect& page = geometry.page;
  line->start_x = page.left + 1;
  line->visible_start_x = page.left + 1;
  line->end_x = page.right - 1;
  line->width = page.right - page.left;
  line->row_height = row_height;
  if (header) {
    line->text_y = page.top;
    line->clip_top = page.top;
    line->clip_bottom = geometry.table.top;
  } else {
    line->text_y = page.bottom - row_height;
    line->clip_top = geometry.table.bottom;
    line->clip_bottom = page.bottom;
  }
}

// The row cache of one page: the entries follow each other from the table
// box's top.
bool make_page_rows(TableLayout& layout, const TableRect& box, int32_t rows_per_page) {
  if (!layout_make_row_cache(layout, rows_per_page)) return false;
  for (RowCacheEntry& entry : layout.rows) {
    entry.top += box.top;
    entry.bottom += box.top;
  }
  return true;
}

void print_line(Table& print, const PrintLine* line, int32_t page, int32_t page_count) {
  if (!line || !line->text) return;
  const TableLayout& layout = *print.layout;
  TableSurface& surface = *print.surface;
  std::string text = expand_page_template(line->text, page, page_count);
  TextStyle style{};
  style.font = (line->flags & prop_font) ? line->font : nullptr;
  style.has_colour = (line->flags & prop_text_colour) != 0;
  style.colour = line->text_colour;
  style.has_background = (line->flags & prop_background) != 0;
  style.background = line->background;
  TextRun run{text.c_str(), style.font, 8 * layout.char_width};
  int32_t alignment = (line->flags & prop_alignment) ? line->alignment : align_left;
  int32_t width = tabbed_width(surface, run);
  int32_t left = aligned_left(line->start_x, line->width, layout.char_width, alignment, width);
  TableRect clip{line->visible_start_x, line->clip_top, line->end_x, line->clip_bottom};
  lay_out_tabs(surface, run, [&](const char* piece, int32_t length, int32_t x) {
    surface.draw_text(clip, left + x, line->text_y, piece, length, style);
  });
}

void draw_page_rules(Table& print) {
  const TableLayout& layout = *print.layout;
  const TableProps& props = layout.props;
  if (layout.rows.empty() || layout.positions.empty()) return;
  int32_t top = layout.rows.front().top;
  int32_t bottom = layout.rows.back().bottom;
  if (props.rule_after_fixed_columns && props.fixed_columns > 0) {
    int32_t x = layout.positions[props.fixed_columns - 1].end_x + 1;
    print.surface->draw_line(x, top, x, bottom);
  }
  int32_t fixed_rows = layout_fixed_rows(layout);
  if (props.rule_under_fixed_rows && fixed_rows > 0) {
    int32_t y = layout.rows[fixed_rows - 1].bottom - 1;
    print.surface->draw_line(layout.positions.front().start_x, y, layout.positions.back().end_x, y);
  }
}

struct PageJob {
  Table& print;
  PrintDevice& device;
  const PrintRequest* request;
  int32_t rows_per_page;
  int32_t page_count;
};

// False when the printer reports an error for the page.
bool print_page(PageJob& job, int32_t page) {
  TableLayout& layout = *job.print.layout;
  if (!job.device.start_page()) return false;
  int32_t fixed = layout.props.fixed_rows;
  layout.scroll_offset = (page - 1) * (job.rows_per_page - fixed);
  layout_invalidate_rows(layout, fixed, job.rows_per_page - fixed);
  for (int32_t i = 0; i < layout.visible_rows; ++i) table_paint_row(job.print, i);
  draw_page_rules(job.print);
  if (job.request) {
    print_line(job.print, job.request->header, page, job.page_count);
    print_line(job.print, job.request->footer, page, job.page_count);
  }
  return job.device.end_page();
}

void print_pages(PageJob& job, PrintProgress* progress, PageRange range, PrintResult& result) {
  if (!job.device.start_document(document_name)) return;
  program.abort_requested = 0;
  if (progress) progress->open();
  result.outcome = PrintOutcome::printed;
  for (int32_t page = range.first; page <= range.last; ++page) {
    if (progress) progress->show_page(page, job.page_count);
    bool ended = print_page(job, page);
    if (ended) ++result.pages_printed;
    // A cancel that came while the page printed stops the document after it,
    // whether or not the platform reported it as the page's error.
    if (!ended || program.abort_requested) {
      job.device.abort_document();
      result.outcome = PrintOutcome::aborted;
      break;
    }
  }
  if (result.outcome == PrintOutcome::printed) job.device.end_document();
  if (progress) progress->close();
}

}  // namespace

PageGeometry page_geometry(const DeviceCaps& caps, const PrintMargins& margins) {
  PageGeometry geometry{};
  geometry.pixels_per_mm_x = caps.width_mm > 0 ? caps.width_pixels / caps.width_mm : 0;
  geometry.pixels_per_mm_y = caps.height_mm > 0 ? caps.height_pixels / caps.height_mm : 0;
  int32_t across = geometry.pixels_per_mm_x;
  int32_t down = geometry.pixels_per_mm_y;
  geometry.page = TableRect{margins.left * across, margins.top * down,
                            caps.width_pixels - margins.right * across,
                            caps.height_pixels - margins.bottom * down};
  geometry.table = TableRect{geometry.page.left, geometry.page.top + margins.header_band * down,
                             geometry.page.right,
                             geometry.page.bottom - margins.footer_band * down};
  return geometry;
}

int32_t print_page_count(int32_t row_count, int32_t fixed_rows, int32_t rows_per_page) {
  int64_t rows = static_cast<int64_t>(row_count) - fixed_rows;
  int64_t per_page = static_cast<int64_t>(rows_per_page) - fixed_rows;
  if (rows <= 0 || per_page <= 0) return 0;
  return static_cast<int32_t>((rows + per_page - 1) / per_page);
}

std::string expand_page_template(const char* text, int32_t page, int32_t page_count) {
  std::string expanded;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '#') {
      expanded += std::to_string(page);
    } else if (*c == '$') {
      expanded += std::to_string(page_count);
    } else {
      expanded += *c;
    }
  }
  return expanded;
}

PrintResult table_print(const Table& screen, PrintDevice& device, PrintProgress* progress,
                        PrintRequest* request, const PageRange* range) {
  PrintResult result;
  if (!screen.layout) return result;
  PrintMargins margins = request && request->margins ? *request->margins : default_print_margins;
  intptr_t view = request && request->view ? request->view : screen.layout->props.view;

  // Asked as for the screen, but without a selection notice: the owner's
  // idea of what is selected on screen must not change because a page is
  // printed. Measured with the printer's font.
  Table print;
  print.surface = &device;
  print.layout = layout_ask(device, view, screen.layout->props);
  if (!print.layout) return result;
  TableLayout& layout = *print.layout;
  layout_measure_font(layout, device);
  PageGeometry geometry = page_geometry(device.caps(), margins);
  place_print_columns(layout, geometry.table);
  if (request) {
    place_line(request->header, geometry, layout.row_height, true);
    place_line(request->footer, geometry, layout.row_height, false);
  }

  int32_t rows_per_page = std::max(geometry.table.bottom - geometry.table.top, 0) / layout.row_height;
  // A page that holds no row below the fixed rows cannot show the table.
  if (rows_per_page <= layout.props.fixed_rows) return result;
  if (!make_page_rows(layout, geometry.table, rows_per_page)) return result;

  PageJob job{print, device, request, rows_per_page,
              print_page_count(layout.props.row_count, layout.props.fixed_rows, rows_per_page)};
  result.page_count = job.page_count;
  PageRange pages{1, job.page_count};
  if (range) pages = PageRange{std::max(range->first, 1), std::min(range->last, job.page_count)};
  print_pages(job, progress, pages, result);
  return result;
}
