#include "twyndle/app/table_sink.h"

#include <cstring>
#include <mutex>

#include "twyndle/app/app_state.h"

uint32_t table_append_interval_ms = 100;

namespace {
intptr_t send_to_table(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return app.table ? SendMessageA(app.table, message, wparam, lparam) : 0;
}

class TableSink : public ViewSink {
 public:
  intptr_t send(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
    if (message == TM_APPEND) {
      if (hold(wparam, lparam)) flush();
      return 0;
    }
    flush();
    return send_to_table(message, wparam, lparam);
  }

  void set_title(const char* title) override {
    if (app.main_window) SendMessageA(app.main_window, WM_APP_SET_TITLE, 0, reinterpret_cast<LPARAM>(title));
  }

  // The lock only guards the held notice; it is never held while sending.
  void flush() {
    uintptr_t rows = 0;
    intptr_t view = 0;
    {
      std::lock_guard<std::mutex> guard(lock_);
      if (!held_) return;
      held_ = false;
      rows = held_rows_;
      view = held_view_;
      last_append_ = GetTickCount();
    }
    send_to_table(TM_APPEND, rows, view);
  }

 private:
  // Holds the newest count; true when the last one went out long enough ago.
  bool hold(uintptr_t rows, intptr_t view) {
    std::lock_guard<std::mutex> guard(lock_);
    held_ = true;
    held_rows_ = rows;
    held_view_ = view;
    return GetTickCount() - last_append_ >= table_append_interval_ms;
  }

  std::mutex lock_;
  bool held_ = false;
  uintptr_t held_rows_ = 0;
  intptr_t held_view_ = 0;
  DWORD last_append_ = 0;  // when the last TM_APPEND went out
};

TableSink& sink() {
  static TableSink instance;
  return instance;
}
}  // namespace

ViewSink* table_sink() { return &sink(); }

void flush_table_sink() { sink().flush(); }

void set_title(const char* title) {
  std::strncpy(app.print_title, title ? title : "", print_title_bytes - 1);
  app.print_title[print_title_bytes - 1] = '\0';
}
