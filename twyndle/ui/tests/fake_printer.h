// A PrintDevice for native tests: a page of a given size in pixels and
// millimetres, the fake fonts of FakeSurface (the default font 8 wide and
// 14 + 2 high), every document call and every text and line recorded with
// the page it went to, and a page that can be made to fail or to be
// cancelled while it prints.
#pragma once

#include "twyndle/ui/table_print.h"
#include "twyndle/ui/tests/fake_surface.h"

#include <string>
#include <vector>

struct PrintedText {
  int32_t page;        // 1-based count of start_page calls
  DrawnText drawn;
};

struct PrintedLine {
  int32_t page;
  TableRect line;      // from (left, top) to (right, bottom)
};

class FakePrinter : public PrintDevice {
 public:
  FakePrinter(GridOwner& owner, DeviceCaps caps) : owner_(owner), caps_(caps) {}

  std::vector<std::string> calls;      // "start_document Table", "start_page", ...
  std::vector<PrintedText> texts;
  std::vector<PrintedLine> lines;
  int32_t pages_started = 0;
  int32_t failing_page = 0;            // end_page of this page fails
  int32_t cancelled_page = 0;          // the user cancels while this page prints
  bool refuse_document = false;

  // The texts drawn on one page, in the order drawn.
  std::vector<DrawnText> texts_on(int32_t page) const;

  intptr_t ask_owner(int32_t code, intptr_t record) override { return owner_.answer(code, record); }
  FontMetrics font_metrics(TableFont font) override;
  int32_t text_width(TableFont font, const char* text, int32_t length) override;
  void fill(const TableRect&, TableColour) override {}
  void draw_text(const TableRect& clip, int32_t x, int32_t y, const char* text, int32_t length,
                 const TextStyle& style) override;
  void draw_line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) override;

  DeviceCaps caps() override { return caps_; }
  bool start_document(const char* name) override;
  bool start_page() override;
  bool end_page() override;
  void end_document() override { calls.push_back("end_document"); }
  void abort_document() override { calls.push_back("abort_document"); }

 private:
  GridOwner& owner_;
  DeviceCaps caps_;
};

// Records what the progress window was told.
class FakeProgress : public PrintProgress {
 public:
  std::vector<std::string> calls;  // "open", "Page 1 of 3 pages", "close"
  void open() override { calls.push_back("open"); }
  void show_page(int32_t page, int32_t page_count) override;
  void close() override { calls.push_back("close"); }
};
