// A top-level window that owns a table child and answers the table's
// queries from a View, as the main window does, counting what it is asked.
#pragma once

#include <windows.h>

#include <cstdint>

#include "twyndle/ui/view.h"

struct ViewOwnerWindow {
  // Registers the classes on first use. A shown window paints its table.
  explicit ViewOwnerWindow(bool shown);
  ~ViewOwnerWindow();
  ViewOwnerWindow(const ViewOwnerWindow&) = delete;
  ViewOwnerWindow& operator=(const ViewOwnerWindow&) = delete;

  HWND frame = nullptr;
  HWND table = nullptr;             // 480 x 200 pixels at the frame's top left
  View* view = nullptr;             // answers every view value of a query
  int32_t cells_asked = 0;          // TQ_CELLS queries
  int32_t highest_cell_row = -1;    // the highest row asked for
  int32_t closes = 0;               // TQ_CLOSE notices
  intptr_t closed = 0;              // the view value of the last one
};

// Delivers whatever is pending for the test thread's windows.
void pump_waiting_messages();
