// A plain ViewSink over a table window: a View's notices become messages
// sent to the window, and its title goes to a function of the owner. The
// table demo and the window tests use it; the program's own sink
// (twyndle/app/table_sink.h) also holds back the appends of a scan.
#pragma once

#include <windows.h>

#include "twyndle/ui/view_sink.h"

class TableWindowSink final : public ViewSink {
 public:
  // `set_title` may be none (the title is then dropped).
  TableWindowSink(HWND table, void (*set_title)(const char* title));

  intptr_t send(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void set_title(const char* title) override;

 private:
  HWND table_;
  void (*set_title_)(const char* title);
};
