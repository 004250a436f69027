// Files that another process holds open with no sharing while the object
// lives: this process (and twyndle in it) cannot read them.
#pragma once

#include <string>
#include <vector>

#include "tests/support/process_windows.h"

class HeldFiles {
 public:
  // Starts the holder on the files and waits until none of them can be read.
  explicit HeldFiles(const std::vector<std::string>& paths);
  // True once every file is held.
  bool held() const { return held_; }
  // Why the files are not held; empty when they are.
  const std::string& failure() const { return failure_; }
  // Ends the holder; the files can be read again.
  void release();

 private:
  test_support::Process holder_;
  std::vector<std::string> paths_;
  bool held_ = false;
  std::string failure_;
};
