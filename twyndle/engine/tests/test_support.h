// Fixtures shared by the engine tests: real temporary folders (the
// programs' shared ones), a user interface that records its questions, and
// system memory that can fail.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "twyndle/engine/system_memory.h"
#include "twyndle/engine/ui_seam.h"

using test_support::native_path;
using test_support::read_file;
using test_support::TempFolder;

// Writes a file of `size` bytes that takes no room (a sparse file) into the
// folder; its path, or empty where the file system cannot hold such a file
// (the test then skips).
std::string sparse_file(const TempFolder& folder, const std::string& relative, uint64_t size);

// Records every message and answers from a queue (OK / Ignore when empty).
class RecordingUi : public UiSeam {
 public:
  RecordingUi();
  ~RecordingUi() override;
  MessageAnswer message(const MessageRequest& request) override;
  void debug_output(const char* text) override;
  void wait_cursor(bool on) override;

  struct Recorded {
    std::string text, title;
    MessageIcon icon;
    MessageButtons buttons;
    bool owned_by_main_window;
  };

  void answer_next(MessageAnswer answer);
  std::vector<Recorded> recorded() const;
  std::vector<std::string> texts() const;
  // The one "Some files were not compared:" report the compare gave, without
  // that first line; a text in angle brackets when there was none or another.
  std::string scan_report() const;
  std::vector<std::string> debug_lines() const;
  int wait_depth() const;
  int wait_shown() const;

 private:
  mutable std::mutex lock_;
  std::deque<MessageAnswer> answers_;
  std::vector<Recorded> recorded_;
  std::vector<std::string> debug_;
  int depth_ = 0, shown_ = 0;
};

// System memory that serves `served_first` requests, refuses the next
// `failures` ones, then serves again. With `larger_than`, only requests
// of more bytes than that are counted and refused.
class FailingMemory {
 public:
  explicit FailingMemory(int failures, int served_first = 0, uint32_t larger_than = 0);
  ~FailingMemory();
  int refused() const;
};
