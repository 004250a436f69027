// A real top-level owner window for window tests: it holds a table (and,
// when asked, a status bar) as children, answers the table's SCTabMsg from a
// GridOwner and records the keys and commands its children send it.
#pragma once

#include "twyndle/ui/status_items.h"
#include "twyndle/ui/table_layout.h"
#include "twyndle/ui/tests/grid_owner.h"

#include <windows.h>

#include <vector>

struct OwnerWindow {
  explicit OwnerWindow(GridOwner& owner);
  ~OwnerWindow();
  OwnerWindow(const OwnerWindow&) = delete;
  OwnerWindow& operator=(const OwnerWindow&) = delete;

  // A table child filling a client area of the given size, at the screen's
  // top left corner.
  HWND make_table(int client_width, int client_height);
  // A status bar child across the top; it takes the list.
  HWND make_status_bar(StatusItemList* list, int width, int height);

  // The table's current layout, read from its window data.
  TableLayout* layout() const;

  GridOwner& grid;
  HWND window = nullptr;
  HWND table = nullptr;
  HWND status = nullptr;
  std::vector<WPARAM> keys;       // key-down messages passed on by the table
  std::vector<WPARAM> commands;   // WM_COMMAND wParams
  std::vector<LPARAM> command_senders;
};

// Registers the table, status bar and owner classes once.
void register_test_classes();

// Delivers whatever is pending for the test thread's windows.
void pump_messages();
