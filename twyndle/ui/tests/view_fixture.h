// Fixtures for the row model's tests: real files in a temporary folder,
// a sink that records every notice a View sends (and checks that view_lock
// is free when it does), and compares run through the engine as the worker
// thread runs them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "twyndle/ui/view.h"

using test_support::TempFolder;

// Names numbered from 0: "f000.c", "f001.c", ... for the format "f%03d.c".
std::vector<std::string> numbered_names(int count, const char* format);

// Lines joined with CR LF, each line ended.
std::string text_lines(const std::vector<std::string>& lines);

struct Notice {
  uint32_t message;
  uintptr_t wparam;
  intptr_t lparam;
  TableSelection selection;  // copied for TM_SELECT
};

class RecordingSink final : public ViewSink {
 public:
  intptr_t send(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
  void set_title(const char* title) override;

  std::vector<uint32_t> messages() const;
  // Both threads of a run may send; the records are guarded.
  mutable std::mutex records_lock;
  std::vector<Notice> notices;
  std::vector<std::string> titles;
  int sent_under_lock = 0;     // notices or titles that came while view_lock was held
  intptr_t top_row = 0;        // the answer to TM_SCROLLPOS wParam 0
  // Called for each notice, as the table would answer it (may call back into the View).
  std::function<void(const Notice&)> on_notice;
};

// Two folders, a sink and the View of a compare between them. The View goes
// with the test, and no notice may have come while view_lock was held.
struct ViewTest : testing::Test {
  TempFolder left, right;
  RecordingSink sink;
  View* view = nullptr;

  void TearDown() override {
    view_delete(view);
    EXPECT_EQ(sink.sent_under_lock, 0);
  }
};

// A compare of two paths into a new View on the sink, as a worker runs it.
View* compare_into_view(const std::string& left, const std::string& right, RecordingSink& sink);

// Every cell text of a row, columns 0..3, "-" for none, line ends cut off.
std::vector<std::string> row_texts(View* view, int32_t row);
