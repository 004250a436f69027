#include "twyndle/app/table_sink.h"

#include <cstring>

#include "twyndle/app/app_state.h"

namespace {
class TableSink : public ViewSink {
 public:
  intptr_t send(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
    return app.table ? SendMessageA(app.table, message, wparam, lparam) : 0;
  }
  void set_title(const char* title) override {
    if (app.main_window) SendMessageA(app.main_window, WM_APP_SET_TITLE, 0, reinterpret_cast<LPARAM>(title));
  }
};
}  // namespace

ViewSink* table_sink() {
  static TableSink sink;
  return &sink;
}

void set_title(const char* title) {
  std::strncpy(app.print_title, title ? title : "", print_title_bytes - 1);
  app.print_title[print_title_bytes - 1] = '\0';
}
