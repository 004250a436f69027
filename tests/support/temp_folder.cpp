#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace test_support {

namespace fs = std::filesystem;

namespace {
// Slashes after the first character become backslashes: a POSIX root keeps
// its leading slash, which the engine reads as the root.
std::string backslash_form(std::string path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] == '/') path[i] = '\\';
  }
  return path;
}

fs::path native(const std::string& path) { return fs::path(native_path(path)); }
}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  std::error_code error;
  fs::path base = fs::temp_directory_path(error);
  auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path folder = base / ("tarnwick-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    if (fs::create_directory(folder, error)) {
      path_ = backslash_form(folder.string());
      return;
    }
  }
  ADD_FAILURE() << "no temporary folder could be made under " << base.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(native(path_), ignored);
}

std::string TempFolder::at(const std::string& relative) const { return path_ + "\\" + relative; }

std::string TempFolder::write(const std::string& relative, const std::string& bytes) const {
  std::string path = at(relative);
  std::error_code error;
  fs::create_directories(native(path).parent_path(), error);
  write_file(path, bytes);
  EXPECT_TRUE(file_exists(path)) << path;
  return path;
}

std::string TempFolder::make_folder(const std::string& relative) const {
  std::string path = at(relative);
  std::error_code error;
  fs::create_directories(native(path), error);
  EXPECT_FALSE(error) << path << ": " << error.message();
  return path;
}

void TempFolder::remove(const std::string& relative) const {
  std::error_code error;
  fs::remove(native(at(relative)), error);
  EXPECT_FALSE(error) << relative << ": " << error.message();
}

std::string native_path(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  std::string copy = path;
  for (char& c : copy) {
    if (c == '\\') c = '/';
  }
  return copy;
#endif
}

// Files are opened by their narrow names, as the programs open them (the
// system's code page for names with high bytes).
std::string read_file(const std::string& path) {
  std::ifstream in(native_path(path), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(native_path(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool file_exists(const std::string& path) {
  std::error_code error;
  return fs::exists(native(path), error);
}

}  // namespace test_support
