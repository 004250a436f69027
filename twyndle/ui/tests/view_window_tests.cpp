// A View shown in a real table window: the worker thread grows the outline
// by sending TM_* messages across threads while the main thread pumps and
// the owner answers the table's queries from the View.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "twyndle/ui/table_window.h"
#include "twyndle/ui/tests/view_fixture.h"
#include "twyndle/ui/view_sink_win32.h"

namespace {

struct Owner {
  View* view = nullptr;
  int32_t highest_cell_row = -1;
  int closes = 0;
  std::string title;
};
Owner owner;

void take_title(const char* title) { owner.title = title ? title : "(none)"; }

LRESULT answer(int32_t code, LPARAM record) {
  switch (code) {
    case TQ_PROPS: return view_answer_props(owner.view, reinterpret_cast<TableProps*>(record));
    case TQ_COLUMNS:
      return view_answer_columns(owner.view, reinterpret_cast<TableColumnsQuery*>(record), nullptr);
    case TQ_CELLS: {
      auto* query = reinterpret_cast<TableCellsQuery*>(record);
      owner.highest_cell_row = std::max(owner.highest_cell_row, query->row);
      return view_answer_cells(owner.view, query, false);
    }
    case TQ_CLOSE: ++owner.closes; return 1;
    default: return 1;
  }
}

LRESULT CALLBACK owner_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != 0 && message == table_message()) return answer(static_cast<int32_t>(wparam), lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

void pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

struct TableWindowTest : testing::Test {
  HWND frame = nullptr;
  HWND table = nullptr;

  void SetUp() override {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(register_table_class(instance));
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = owner_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = "ViewTestOwner";
    RegisterClassA(&window_class);
    frame = CreateWindowExA(0, "ViewTestOwner", "view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 300,
                            nullptr, nullptr, instance, nullptr);
    RECT place{0, 0, 480, 200};
    table = create_table_window(frame, 501, place, frame);
    ASSERT_NE(table, nullptr);
    owner = Owner{};
  }
  void TearDown() override { DestroyWindow(frame); }
};

TEST_F(TableWindowTest, WorkerGrowsTheTableAndTheLastRowIsShownAtTheEnd) {
  constexpr int files = 120;
  TempFolder left, right;
  char name[16];
  for (int i = 0; i < files; ++i) {
    std::snprintf(name, sizeof name, "f%03d.c", i);
    left.write(name, "x\r\n");
  }
  TableWindowSink sink(table, take_title);
  owner.view = view_create(&sink);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    compare_paths(left.path().c_str(), right.path().c_str(), owner.view, 1);
    done = true;
  });
  while (!done) {
    pump();
    Sleep(1);
  }
  worker.join();
  pump();
  EXPECT_EQ(owner.title, left.path() + " : " + right.path());
  EXPECT_EQ(view_row_count(owner.view), files);

  SendMessageA(table, TM_SCROLLPOS, 1, files - 1);  // as far down as the table goes
  InvalidateRect(table, nullptr, TRUE);
  UpdateWindow(table);
  EXPECT_EQ(owner.highest_cell_row, files - 1);  // the table knows every row, and no more

  view_release(owner.view);  // the table drops the View and tells its owner
  EXPECT_EQ(owner.closes, 1);
  view_delete(owner.view);
}

}  // namespace
