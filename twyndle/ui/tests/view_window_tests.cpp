// A View shown in a real table window: the worker thread grows the outline
// by sending TM_* messages across threads while the main thread pumps and
// the owner answers the table's queries from the View.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "twyndle/ui/tests/view_fixture.h"
#include "twyndle/ui/tests/view_owner_window.h"
#include "twyndle/ui/view_sink_win32.h"

namespace {

std::string title;
void take_title(const char* text) { title = text ? text : "(none)"; }

TEST(TableWindow, WorkerGrowsTheTableAndTheLastRowIsShownAtTheEnd) {
  ViewOwnerWindow owner(true);
  ASSERT_NE(owner.table, nullptr);
  constexpr int files = 120;
  TempFolder left, right;
  for (const std::string& name : numbered_names(files, "f%03d.c")) left.write(name, "x\r\n");
  TableWindowSink sink(owner.table, take_title);
  owner.view = view_create(&sink);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    compare_paths(left.path().c_str(), right.path().c_str(), owner.view, 1);
    done = true;
  });
  while (!done) {
    pump_waiting_messages();
    Sleep(1);
  }
  worker.join();
  pump_waiting_messages();
  EXPECT_EQ(title, left.path() + " : " + right.path());
  EXPECT_EQ(view_row_count(owner.view), files);

  SendMessageA(owner.table, TM_SCROLLPOS, 1, files - 1);  // as far down as the table goes
  InvalidateRect(owner.table, nullptr, TRUE);
  UpdateWindow(owner.table);
  EXPECT_EQ(owner.highest_cell_row, files - 1);  // the table knows every row, and no more

  view_release(owner.view);  // the table drops the View and tells its owner
  EXPECT_EQ(owner.closes, 1);
  view_delete(owner.view);
}

}  // namespace
