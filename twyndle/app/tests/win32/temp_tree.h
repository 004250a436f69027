// A fresh folder under the temporary directory, removed with everything in
// it when the object goes; files are written byte for byte.
#pragma once

#include <string>

class TempTree {
 public:
  TempTree();
  ~TempTree();
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& path() const { return path_; }
  // The full path of a name inside the folder ("sub\\x.c").
  std::string at(const std::string& relative) const;
  // Writes a file, making its folders first; returns its full path.
  std::string write(const std::string& relative, const std::string& content) const;
  // Makes a folder (and its parents); returns its full path.
  std::string folder(const std::string& relative) const;

 private:
  std::string path_;
};

std::string read_file(const std::string& path);
bool file_exists(const std::string& path);
