// A compare that grows the outline on a worker thread while the main thread
// reads the View, expands a row and goes back, as the table and the user do.
// Items that arrive while a row is expanded appear when the outline returns.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "twyndle/ui/tests/view_fixture.h"

namespace {

TEST(ViewAcrossThreads, OutlineGrowsOnTheWorkerWhileTheMainThreadReadsAndExpands) {
  constexpr int files = 300;
  TempFolder left, right;
  for (const std::string& name : numbered_names(files, "f%03d.txt")) {
    left.write(name, "same\r\nleft\r\n");
    right.write(name, "same\r\nright\r\n");
  }
  RecordingSink sink;
  View* view = view_create(&sink);
  std::atomic<int32_t> answered_rows{0};
  std::atomic<bool> worker_paused{false}, expanded{false}, done{false};
  sink.on_notice = [&](const Notice& notice) {
    TableProps props{};  // the table asks for its shape on every notice
    if (view_answer_props(view, &props)) answered_rows = props.row_count;
    if (notice.message == TM_APPEND && notice.wparam == 10) {
      worker_paused = true;  // a slow table: the worker waits until the user has expanded
      while (!expanded) std::this_thread::yield();
    }
  };
  std::thread worker([&] {
    compare_paths(left.path().c_str(), right.path().c_str(), view, 1);
    done = true;
  });
  auto read_last_row = [&] {
    char text[16];
    CellText cell{sizeof text, text, 0, 0, 0, nullptr, 0, 0, 0};
    TableCellsQuery query{1, view_row_count(view) - 1, 0, 1, &cell};
    view_answer_cells(view, &query, false);
  };
  while (!worker_paused && !done) read_last_row();
  EXPECT_TRUE(worker_paused.load());
  EXPECT_TRUE(view_expand(view, 0));
  EXPECT_EQ(view_row_count(view), 3);  // same, left, right
  expanded = true;
  while (!done) read_last_row();  // the rest of the items arrive while expanded
  worker.join();
  EXPECT_EQ(view_row_count(view), 3);
  view_outline(view);
  ASSERT_EQ(view_row_count(view), files);
  std::vector<std::string> names = numbered_names(files, ".\\f%03d.txt");
  for (int i = 0; i < files; i += 37) EXPECT_STREQ(view_cell_text(view, i, 1), names[i].c_str());
  EXPECT_EQ(answered_rows.load(), files);
  EXPECT_EQ(sink.sent_under_lock, 0);
  EXPECT_GT(answered_rows.load(), 0);
  view_delete(view);
}

}  // namespace
