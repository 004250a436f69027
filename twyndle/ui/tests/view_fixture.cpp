#include "twyndle/ui/tests/view_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "twyndle/engine/engine_memory.h"

namespace {

class EngineEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(engine_start()); }
  void TearDown() override { engine_stop(); }
};
const testing::Environment* const engine_environment =
    testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace

std::vector<std::string> numbered_names(int count, const char* format) {
  std::vector<std::string> names;
  char name[64];
  for (int i = 0; i < count; ++i) {
    std::snprintf(name, sizeof name, format, i);
    names.push_back(name);
  }
  return names;
}

std::string text_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

intptr_t RecordingSink::send(uint32_t message, uintptr_t wparam, intptr_t lparam) {
  Notice notice{message, wparam, lparam, {}};
  if (message == TM_SELECT) notice.selection = *reinterpret_cast<const TableSelection*>(lparam);
  {
    std::lock_guard<std::mutex> records(records_lock);
    if (view_lock_held()) ++sent_under_lock;
    notices.push_back(notice);
  }
  if (on_notice) on_notice(notice);
  return message == TM_SCROLLPOS && wparam == 0 ? top_row : 1;
}

void RecordingSink::set_title(const char* title) {
  std::lock_guard<std::mutex> records(records_lock);
  if (view_lock_held()) ++sent_under_lock;
  titles.push_back(title ? title : "(none)");
}

std::vector<uint32_t> RecordingSink::messages() const {
  std::lock_guard<std::mutex> records(records_lock);
  std::vector<uint32_t> sent;
  for (const auto& notice : notices) sent.push_back(notice.message);
  return sent;
}

View* compare_into_view(const std::string& left, const std::string& right, RecordingSink& sink) {
  View* view = view_create(&sink);
  EXPECT_NE(compare_paths(left.c_str(), right.c_str(), view, 1), nullptr);
  return view;
}

std::vector<std::string> row_texts(View* view, int32_t row) {
  std::vector<std::string> texts;
  for (int32_t column = 0; column < 4; ++column) {
    const char* text = view_cell_text(view, row, column);
    std::string shown = text ? text : "-";
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r')) shown.pop_back();
    texts.push_back(shown);
  }
  return texts;
}
