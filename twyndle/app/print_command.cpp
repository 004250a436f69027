#include "twyndle/app/print_command.h"

#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/font_keys.h"

namespace {
void make_printer_font(HDC printer) {
  LOGFONTA description = app.screen_font.description;
  description.lfHeight = printer_font_height(app.screen_font.point_size, GetDeviceCaps(printer, LOGPIXELSY));
  if (app.printer_font) DeleteObject(app.printer_font);
  app.printer_font = CreateFontIndirectA(&description);
  if (app.printer_font) SelectObject(printer, app.printer_font);
}

HDC printer_of_request() {
  if (!app.print_request || !app.print_request->printer_setup) return nullptr;
  return static_cast<PRINTDLGA*>(app.print_request->printer_setup)->hDC;
}
}  // namespace

bool printing() { return app.print_request != nullptr; }

TableFont column_font(bool for_print) {
  if (!for_print) return app.screen_font.font;
  HDC printer = printer_of_request();
  if (app.screen_font.font && printer) make_printer_font(printer);
  return app.printer_font;
}

void print_command() {
  if (program.busy) {
    show_busy_message();
    return;
  }
  if (printing() || !app.table) return;
  PrintLine header{};
  header.flags = prop_alignment;
  header.alignment = align_centre;
  header.text = app.print_title[0] ? app.print_title : "Twyndle";
  PrintLine footer{};
  footer.flags = prop_alignment;
  footer.alignment = align_right;
  footer.text = "Page # of $";
  PrintRequest request{1, &header, &footer, nullptr, nullptr};
  app.print_request = &request;
  SendMessageA(app.table, TM_PRINT, 0, reinterpret_cast<LPARAM>(&request));
  app.print_request = nullptr;
}
