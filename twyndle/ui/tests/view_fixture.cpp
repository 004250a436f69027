#include "twyndle/ui/tests/view_fixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "twyndle/engine/engine_memory.h"

namespace fs = std::filesystem;

namespace {

// The engine takes paths with backslashes on every platform.
std::string engine_form(std::string path) {
  for (char& c : path) {
    if (c == '/' && &c != &path[0]) c = '\\';
  }
  return path;
}

fs::path native(const std::string& path) {
#ifdef _WIN32
  return fs::path(path);
#else
  std::string copy = path;
  for (char& c : copy) {
    if (c == '\\') c = '/';
  }
  return fs::path(copy);
#endif
}

class EngineEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(engine_start()); }
  void TearDown() override { engine_stop(); }
};
const testing::Environment* const engine_environment =
    testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  fs::path folder;
  std::error_code error;
  do {
    folder = fs::temp_directory_path() / ("view_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                          "_" + std::to_string(counter++));
  } while (!fs::create_directory(folder, error) && !error);
  path_ = engine_form(folder.string());
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(native(path_), ignored);
}

std::string TempFolder::write(const std::string& relative, const std::string& bytes) const {
  std::string path = path_ + "\\" + relative;
  fs::create_directories(native(path).parent_path());
  std::ofstream(native(path), std::ios::binary) << bytes;
  return path;
}

void TempFolder::remove(const std::string& relative) const { fs::remove(native(path_ + "\\" + relative)); }

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
