#include "twyndle/ui/view_sink_win32.h"

TableWindowSink::TableWindowSink(HWND table, void (*set_title)(const char* title))
    : table_(table), set_title_(set_title) {}

intptr_t TableWindowSink::send(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  return SendMessageA(table_, message, static_cast<WPARAM>(wparam), static_cast<LPARAM>(lparam));
}

void TableWindowSink::set_title(const char* title) {
  if (set_title_) set_title_(title);
}
