#include "twyndle/ui/tests/fake_printer.h"

#include "twyndle/engine/program_state.h"

std::vector<DrawnText> FakePrinter::texts_on(int32_t page) const {
  std::vector<DrawnText> found;
  for (const PrintedText& text : texts)
    if (text.page == page) found.push_back(text.drawn);
  return found;
}

FontMetrics FakePrinter::font_metrics(TableFont font) {
  if (!font) return FontMetrics{8, 14, 2};
  return FontMetrics{static_cast<int32_t>(reinterpret_cast<intptr_t>(font)), 20, 0};
}

int32_t FakePrinter::text_width(TableFont font, const char*, int32_t length) {
  return length * font_metrics(font).char_width;
}

void FakePrinter::draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text,
                            int32_t length, const TextStyle& style) {
  texts.push_back(PrintedText{pages_started, DrawnText{std::string(text, length), x, y, clip, style}});
}

void FakePrinter::draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  lines.push_back(PrintedLine{pages_started, TableRect{x0, y0, x1, y1}});
}

bool FakePrinter::start_document(const char* name) {
  calls.push_back(std::string("start_document ") + name);
  return !refuse_document;
}

bool FakePrinter::start_page() {
  calls.push_back("start_page");
  ++pages_started;
  return true;
}

bool FakePrinter::end_page() {
  calls.push_back("end_page");
  if (pages_started == cancelled_page) program.abort_requested = 1;
  return pages_started != failing_page;
}

void FakeProgress::show_page(int32_t page, int32_t page_count) {
  calls.push_back("Page " + std::to_string(page) + " of " + std::to_string(page_count) + " pages");
}
