// A fresh folder under the temporary directory, removed with its contents at
// the end of the test, and small helpers to write and read whole files.
#pragma once

#include <string>

namespace scrivane {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of a file in the folder, joined with the platform's separator.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);  // empty when unreadable

}  // namespace scrivane
