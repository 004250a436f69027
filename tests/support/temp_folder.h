// A fresh folder under the system's temporary folder for one test, removed
// with everything in it when the object goes, and whole-file helpers.
//
// Paths are handed out with backslashes between the names on every
// platform: the form Windows programs and twyndle's engine take (the
// engine's POSIX backend reads a backslash as a slash). Every helper here
// takes paths in either form.
#pragma once

#include <string>

namespace test_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The full path of a name inside the folder ("sub\\x.c").
  std::string at(const std::string& relative) const;
  // Writes a file byte for byte, making its folders first; its full path.
  std::string write(const std::string& relative, const std::string& bytes) const;
  // Makes a folder and its parents; its full path.
  std::string make_folder(const std::string& relative) const;
  // Removes a file or an empty folder inside the folder.
  void remove(const std::string& relative) const;

 private:
  std::string path_;
};

// The path as the platform's own library takes it: on POSIX hosts the
// backslashes become slashes.
std::string native_path(const std::string& path);

// The whole file; empty when it cannot be read.
std::string read_file(const std::string& path);
// Replaces the file with exactly these bytes.
void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);

}  // namespace test_support
