// table_demo: the table window and the status bar showing a real compare,
// owned by a small stand-in for twyndle's main window. It compares two
// files or folders on the main thread, shows the outline, and expands a row
// on Enter, a double-click or the -x option; Escape goes back.
//
//   table_demo [-c] [-d] [-o] [-x row] LEFT RIGHT
//     -c colour marks, -d side by side, -o only changes, -x expand that row
#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/ui/status_bar.h"
#include "twyndle/ui/table_window.h"
#include "twyndle/ui/view.h"
#include "twyndle/ui/view_sink_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* demo_class = "TwyndleTableDemo";
constexpr int table_id = 501;
constexpr int status_id = 550;
constexpr int label_id = 552;
constexpr int exit_id = 551;

struct Demo {
  HWND window = nullptr;
  HWND status = nullptr;
  HWND table = nullptr;
  View* view = nullptr;
  TableWindowSink* sink = nullptr;
  int32_t selected_row = -1;
  char title[256] = "";
};

Demo demo;

void set_title(const char* title) {
  std::snprintf(demo.title, sizeof demo.title, "%s", title ? title : "");
}

StatusItemList* make_status_items() {
  StatusItemList* list = create_status_items(7);
  set_status_item(list, 0, status_label, 0x54, label_id, 14, nullptr);
  set_status_item(list, 1, status_button, 0x19, 182, 8, "");
  set_status_item(list, 2, status_button, 0x19, 195, 8, "");
  set_status_item(list, 3, status_button, 0x19, 113, 8, "");
  set_status_item(list, 4, status_button, 0x19, exit_id, 8, "Exit");
  set_status_item(list, 5, status_button, 0x19, 122, 8, "");
  return list;
}

void set_status(int identifier, const char* text) {
  SendMessageA(demo.status, SM_SETTEXT, identifier, reinterpret_cast<LPARAM>(text));
}

// The buttons as twyndle shows them for an outline and for an expanded item.
void show_mode() {
  bool expanded = view_is_expanded(demo.view);
  set_status(182, expanded ? "(F4) Next-> " : "");
  set_status(195, expanded ? " <-Prev (F3)" : "");
  set_status(113, expanded ? "Print (^p)" : "");
  set_status(122, expanded ? "Save" : "");
  set_status(exit_id, expanded ? "" : "Exit");
  set_status(label_id, expanded ? view_current_name(demo.view) : demo.title);
}

void lay_out_children() {
  RECT client;
  GetClientRect(demo.window, &client);
  int bar = demo.status ? status_height(reinterpret_cast<StatusItemList*>(
                                GetWindowLongPtrA(demo.status, 0)))
                        : 0;
  MoveWindow(demo.status, 0, 0, client.right, bar, TRUE);
  MoveWindow(demo.table, 0, bar, client.right, client.bottom - bar, TRUE);
}

void expand(int32_t row) {
  if (!view_expand(demo.view, row)) return;
  TableSelection first{reinterpret_cast<intptr_t>(demo.view), 0, 0, 1, 1};
  SendMessageA(demo.table, TM_SELECT, 0, reinterpret_cast<LPARAM>(&first));
  show_mode();
}

LRESULT answer_table(int32_t code, LPARAM record) {
  View* view = demo.view;
  switch (code) {
    case TQ_PROPS: {
      auto* props = reinterpret_cast<TableProps*>(record);
      return view_answer_props(view_for_query(props->view, view), props);
    }
    case TQ_COLUMNS: {
      auto* query = reinterpret_cast<TableColumnsQuery*>(record);
      return view_answer_columns(view_for_query(query->view, view), query,
                                 GetStockObject(ANSI_FIXED_FONT));
    }
    case TQ_CELLS: {
      auto* query = reinterpret_cast<TableCellsQuery*>(record);
      return view_answer_cells(view_for_query(query->view, view), query, false);
    }
    case TQ_SELECTED:
    case TQ_ENTER: {
      auto* selection = reinterpret_cast<TableSelection*>(record);
      demo.selected_row = selection->row_count ? selection->start_row : -1;
      if (code == TQ_ENTER && !view_is_expanded(view)) expand(demo.selected_row);
      return 1;
    }
    case TQ_CLOSE:
      view_delete(demo.view);
      demo.view = nullptr;
      return 1;
    default:
      return code == TQ_TOPROW;
  }
}

LRESULT CALLBACK demo_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == table_message() && message != 0)
    return answer_table(static_cast<int32_t>(wparam), lparam);
  switch (message) {
    case WM_SIZE: lay_out_children(); return 0;
    case WM_SETFOCUS: SetFocus(demo.table); return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE && view_is_expanded(demo.view)) {
        view_outline(demo.view);
        show_mode();
      }
      return 0;
    case WM_COMMAND:
      if (LOWORD(wparam) == exit_id) DestroyWindow(window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}

bool make_windows(HINSTANCE instance) {
  if (!register_table_class(instance) || !register_status_class(instance)) return false;
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = demo_procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  window_class.lpszClassName = demo_class;
  RegisterClassA(&window_class);
  demo.window = CreateWindowExA(0, demo_class, "Twyndle table demo", WS_OVERLAPPEDWINDOW, 0, 0,
                                900, 600, nullptr, nullptr, instance, nullptr);
  if (!demo.window) return false;
  RECT none{0, 0, 0, 0};
  demo.status = create_status_bar(demo.window, status_id, none, make_status_items());
  demo.table = create_table_window(demo.window, table_id, none, nullptr);
  lay_out_children();
  return demo.status && demo.table;
}

struct Options {
  const char* left = nullptr;
  const char* right = nullptr;
  int32_t expand_row = -1;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "-c")) program.colour_marks = 1;
    else if (!std::strcmp(argv[i], "-d")) program.side_by_side = 1;
    else if (!std::strcmp(argv[i], "-o")) program.only_changes = 1;
    else if (!std::strcmp(argv[i], "-x") && i + 1 < argc) options.expand_row = std::atoi(argv[++i]);
    else if (!options.left) options.left = argv[i];
    else if (!options.right) options.right = argv[i];
    else return false;
  }
  return options.right != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr, "usage: table_demo [-c] [-d] [-o] [-x row] LEFT RIGHT\n");
    return 2;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!engine_start() || !make_windows(instance)) return 1;
  demo.sink = new TableWindowSink(demo.table, set_title);
  demo.view = view_create(demo.sink);
  if (!compare_paths(options.left, options.right, demo.view, 1)) {
    std::fprintf(stderr, "table_demo: cannot compare %s and %s\n", options.left, options.right);
    return 1;
  }
  show_mode();
  if (options.expand_row >= 0) expand(options.expand_row);
  ShowWindow(demo.window, SW_SHOW);
  SetFocus(demo.table);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  delete demo.sink;
  return 0;
}
