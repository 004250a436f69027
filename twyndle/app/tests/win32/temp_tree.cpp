#include "twyndle/app/tests/win32/temp_tree.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {
void remove_tree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string full = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        remove_tree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

void make_folders(const std::string& path) {
  for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1)) {
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}
}  // namespace

TempTree::TempTree() {
  char base[MAX_PATH] = "";
  GetTempPathA(sizeof base, base);
  static int counter = 0;
  path_ = std::string(base) + "twyndle_app_" + std::to_string(GetCurrentProcessId()) + "_" +
          std::to_string(++counter);
  remove_tree(path_);
  make_folders(path_);
}

TempTree::~TempTree() { remove_tree(path_); }

std::string TempTree::at(const std::string& relative) const { return path_ + "\\" + relative; }

std::string TempTree::write(const std::string& relative, const std::string& content) const {
  std::string full = at(relative);
  size_t slash = full.find_last_of('\\');
  make_folders(full.substr(0, slash));
  std::ofstream out(full, std::ios::binary | std::ios::trunc);
  out << content;
  return full;
}

std::string TempTree::folder(const std::string& relative) const {
  std::string full = at(relative);
  make_folders(full);
  return full;
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool file_exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
