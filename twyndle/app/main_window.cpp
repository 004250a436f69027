#include "twyndle/app/main_window.h"

#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/commands.h"
#include "twyndle/app/print_command.h"
#include "twyndle/app/settings.h"
#include "twyndle/app/table_owner.h"
#include "twyndle/app/table_sink.h"
#include "twyndle/app/view_display.h"
#include "twyndle/app/window_layout.h"
#include "twyndle/app/worker_run.h"

namespace {
void destroy_fonts() {
  if (app.screen_font.font) DeleteObject(app.screen_font.font);
  if (app.printer_font) DeleteObject(app.printer_font);
  app.screen_font.font = nullptr;
  app.printer_font = nullptr;
}

// The children are gone with the window.
void forget_windows() {
  app.main_window = nullptr;
  app.status_bar = nullptr;
  app.table = nullptr;
}

// Close: the placement is saved first, also when a busy run or a print
// then refuses it.
bool allow_close() {
  save_placement(app.main_window);
  return !program.busy && !printing();
}

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == app.table_message && message != 0) {
    return table_notice(static_cast<int32_t>(wparam), lparam);
  }
  switch (message) {
    case WM_CREATE: app.display_mode = mode_empty; return 0;
    case WM_DESTROY: destroy_fonts(); PostQuitMessage(0); return 0;
    case WM_NCDESTROY: forget_windows(); break;
    case WM_SIZE: layout_children(); return 0;
    case WM_SETFOCUS: if (app.table) SetFocus(app.table); return 0;
    case WM_CLOSE: return allow_close() ? DefWindowProcA(window, message, wparam, lparam) : 1;
    case WM_SHOWWINDOW:
      if (lparam == SW_PARENTCLOSING) SendMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE && !printing()) back_to_outline();
      return 0;
    case WM_COMMAND: run_command(LOWORD(wparam), lparam); return 0;
    case WM_APP_RUN_DONE: finish_run(reinterpret_cast<RunParameters*>(wparam)); return 0;
    case WM_APP_COPY_DONE: end_busy(); return 0;
    case WM_APP_SET_TITLE: set_title(reinterpret_cast<const char*>(lparam)); return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}
}  // namespace

bool register_main_class(HINSTANCE instance) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = main_window_procedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, "Twyndle");
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = main_class_name;
  return RegisterClassA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND create_main_window(HINSTANCE instance) {
  app.main_window = CreateWindowExA(0, main_class_name, "Twyndle", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                                    nullptr);
  if (app.main_window) create_children(app.main_window);
  return app.main_window;
}
