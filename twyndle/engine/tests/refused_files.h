// Files this process may not read, for as long as the object lives. Under
// Windows (and Wine) another handle holds each file open without sharing,
// as a program that has the file open would; elsewhere the files lose
// every right and the process runs as the user nobody, since the owner or
// root may read them regardless.
#pragma once

#include <string>
#include <vector>

class RefusedFiles {
 public:
  explicit RefusedFiles(const std::vector<std::string>& paths);
  ~RefusedFiles();
  RefusedFiles(const RefusedFiles&) = delete;
  RefusedFiles& operator=(const RefusedFiles&) = delete;

  // False where reading could not be refused here; the test then skips.
  bool refused() const { return refused_; }

 private:
  std::vector<std::string> paths_;
  std::vector<void*> handles_;
  bool dropped_user_ = false;
  bool refused_ = false;
};
