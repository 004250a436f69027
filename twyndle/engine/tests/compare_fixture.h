// Fixtures for the matcher, item and list tests: Line lists built in
// memory, file pairs compared through real files, and composite results
// read back as plain rows.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/compare_item.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/line.h"
#include "twyndle/engine/list_receiver.h"
#include "twyndle/engine/tests/option_guard.h"
#include "twyndle/engine/tests/test_support.h"

// One composite Section as the check program prints it.
struct Row {
  int32_t state, left_base, right_base, first, last;
  bool operator==(const Row& other) const;
};
std::ostream& operator<<(std::ostream& out, const Row& row);
std::vector<Row> rows_of(const BlockList* composite);

// The texts joined as lines, each ending in LF.
std::string lines_of(const std::vector<std::string>& texts);

// A file's Lines made in memory, numbered from 1; each text gets a LF.
class LineFile {
 public:
  explicit LineFile(const std::vector<std::string>& texts);
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;
  BlockList* lines() const { return lines_; }
  Line* at(int32_t number) const;  // 1-based

 private:
  BlockList* lines_;
};

// Two texts written to files (left.txt and right.txt), scanned as two roots
// and compared as one standalone item. The item is made when first asked
// for, so a test may change the files after the scan.
class FilePair {
 public:
  FilePair(const std::string& left_bytes, const std::string& right_bytes, bool identical_text = true);
  ~FilePair();
  FilePair(const FilePair&) = delete;
  FilePair& operator=(const FilePair&) = delete;
  CompareItem* item();
  // The composite rows (empty when there is no composite).
  std::vector<Row> rows();
  const TempFolder& dir() const { return dir_; }

 private:
  TempFolder dir_;
  DirTree* left_ = nullptr;
  DirTree* right_ = nullptr;
  DirEntry* left_entry_ = nullptr;
  DirEntry* right_entry_ = nullptr;
  bool identical_text_;
  CompareItem* item_ = nullptr;
};

// Stands in for the View: records what the compare list tells it, and
// answers "abort" once a given number of items has been added.
class RecordingReceiver : public ListReceiver {
 public:
  explicit RecordingReceiver(int32_t abort_after = -1) : abort_after_(abort_after) {}
  int32_t attach_list(CompareList* list) override;
  int32_t items_added() override;

  CompareList* attached = nullptr;
  int32_t attach_calls = 0;
  int32_t items_at_attach = -1;
  int32_t added_calls = 0;

 private:
  int32_t abort_after_;
};

// Counts the items of a list.
int32_t item_count(const BlockList* items);
// The items' names, or "state|name|tag" lines when `full`.
std::vector<std::string> item_lines(const BlockList* items, bool full = false);
