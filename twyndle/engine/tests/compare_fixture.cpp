#include "twyndle/engine/tests/compare_fixture.h"

#include <gtest/gtest.h>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/section.h"

bool Row::operator==(const Row& other) const {
  return state == other.state && left_base == other.left_base && right_base == other.right_base &&
         first == other.first && last == other.last;
}

std::ostream& operator<<(std::ostream& out, const Row& row) {
  return out << "{" << row.state << " " << row.left_base << " " << row.right_base << " " << row.first << " "
             << row.last << "}";
}

std::vector<Row> rows_of(const BlockList* composite) {
  std::vector<Row> rows;
  for (Section* s = section_list_first(composite); s; s = section_next(s)) {
    rows.push_back({s->state, s->left_base, s->right_base, line_number(s->first), line_number(s->last)});
  }
  return rows;
}

std::string lines_of(const std::vector<std::string>& texts) {
  std::string bytes;
  for (const std::string& text : texts) bytes += text + "\n";
  return bytes;
}

LineFile::LineFile(const std::vector<std::string>& texts) : lines_(list_new()) {
  int32_t number = 0;
  for (const std::string& text : texts) {
    std::string line = text + "\n";
    EXPECT_NE(line_new(line.data(), static_cast<uint32_t>(line.size()), ++number, lines_), nullptr);
  }
}

LineFile::~LineFile() {
  for (void* line = list_first(lines_); line; line = list_next(line)) line_release(static_cast<Line*>(line));
  list_destroy(&lines_);
}

Line* LineFile::at(int32_t number) const {
  for (void* line = list_first(lines_); line; line = list_next(line)) {
    if (line_number(static_cast<Line*>(line)) == number) return static_cast<Line*>(line);
  }
  ADD_FAILURE() << "no line " << number;
  return nullptr;
}

FilePair::FilePair(const std::string& left_bytes, const std::string& right_bytes, bool identical_text)
    : identical_text_(identical_text) {
  left_ = tree_new(dir_.write("left.txt", left_bytes).c_str(), 1);
  right_ = tree_new(dir_.write("right.txt", right_bytes).c_str(), 1);
  EXPECT_NE(left_, nullptr);
  EXPECT_NE(right_, nullptr);
  left_entry_ = tree_first(left_);
  right_entry_ = tree_first(right_);
}

CompareItem* FilePair::item() {
  if (!item_) item_ = item_new(left_entry_, right_entry_, nullptr, identical_text_);
  EXPECT_NE(item_, nullptr);
  return item_;
}

FilePair::~FilePair() {
  item_release(item_);
  tree_release(left_);
  tree_release(right_);
}

std::vector<Row> FilePair::rows() { return rows_of(composite_sections(item())); }

int32_t RecordingReceiver::attach_list(CompareList* list) {
  attach_calls += 1;
  if (attached) return 0;
  attached = list;
  items_at_attach = item_count(compare_list_items(list));
  return 1;
}

int32_t RecordingReceiver::items_added() {
  added_calls += 1;
  return abort_after_ >= 0 && added_calls >= abort_after_ ? 1 : 0;
}

int32_t item_count(const BlockList* items) {
  int32_t count = 0;
  for (void* item = list_first(items); item; item = list_next(item)) ++count;
  return count;
}

std::vector<std::string> item_lines(const BlockList* items, bool full) {
  std::vector<std::string> lines;
  for (void* data = list_first(items); data; data = list_next(data)) {
    auto* item = static_cast<CompareItem*>(data);
    std::string name = item_name(item);
    lines.push_back(full ? std::to_string(item_state(item)) + "|" + name + "|" + item_tag(item) : name);
  }
  return lines;
}
