// The main window's own state: its windows, the display mode and the
// selection, the host link, the fonts, the print in progress. One instance,
// `app`, filled at start-up; everything in it belongs to the main thread
// except `worker_thread` (guarded by program.busy_lock). The values the
// whole program shares (the options, busy, abort_requested, current_view)
// are the program state, twyndle/engine/program_state.h.
#pragma once

#include <windows.h>

#include <cstdint>

#include "twyndle/app/host_link.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/ui/table_print.h"
#include "twyndle/ui/view.h"

// What the exit button does, and what the window shows.
enum DisplayMode : int32_t { mode_empty = 0, mode_outline = 1, mode_expanded = 2 };

constexpr size_t print_title_bytes = 257;  // up to 256 bytes and the terminator

struct ScreenFont {
  LOGFONTA description;  // from the host's Font keys
  HFONT font;            // none: the table uses its default font
  int32_t point_size;    // for printing
};

struct AppState {
  HINSTANCE instance = nullptr;
  HWND main_window = nullptr;
  HWND status_bar = nullptr;             // "gdstatusclass", 550
  HWND table = nullptr;                  // SCTabDisplay, 501
  HACCEL accelerators = nullptr;         // "JuxtaAccel"
  UINT table_message = 0;                // SCTabMsg
  int32_t display_mode = mode_empty;
  int32_t selected_row = -1;             // start row of the table's selection; -1: none
  HANDLE worker_thread = nullptr;        // the running worker, none when inline
  DWORD main_thread_id = 0;              // the thread that made the windows
  bool use_german = false;               // the host asked for German texts
  char print_title[print_title_bytes] = {};  // "left : right", empty without a list
  ScreenFont screen_font = {};
  HFONT printer_font = nullptr;          // made for the last print; kept until the next one
  PrintRequest* print_request = nullptr; // the print in progress (TM_PRINT runs)
  HostLink host;
  char listing_path[257] = {};           // the output file chosen last (up to 256 bytes)
};

extern AppState app;

// Private messages the worker sends to the main window, so that every
// window and every piece of this state is touched on the main thread.
constexpr UINT WM_APP_RUN_DONE = WM_APP + 1;   // wParam: the run's RunParameters
constexpr UINT WM_APP_COPY_DONE = WM_APP + 2;  // a copy_files run has ended
constexpr UINT WM_APP_SET_TITLE = WM_APP + 3;  // lParam: the compare title, or none
