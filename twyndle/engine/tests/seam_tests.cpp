#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/tests/test_support.h"

namespace {
std::vector<std::string> listing(const std::string& pattern) {
  std::vector<std::string> names;
  FsFindData data;
  FsFind* find = fs_find_first(pattern.c_str(), &data);
  if (!find) return names;
  do {
    names.push_back(data.name);
  } while (fs_find_next(find, &data));
  fs_find_close(find);
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileSeam, WritesReadsRewindsAndSizesFiles) {
  TempFolder dir;
  std::string path = dir.at("f.bin");
  FsFile* out = fs_create_write(path.c_str());
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(fs_write(out, "hello world", 11));
  fs_close(out);
  FsFile* in = fs_open_read(path.c_str());
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(fs_size(in), 11u);
  char buffer[32] = {};
  EXPECT_EQ(fs_read(in, buffer, 5), 5);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_TRUE(fs_rewind(in));
  EXPECT_EQ(fs_read(in, buffer, sizeof buffer), 11);
  EXPECT_EQ(fs_read(in, buffer, sizeof buffer), 0) << "the end reads nothing";
  fs_close(in);
  out = fs_create_write(path.c_str());
  fs_close(out);
  EXPECT_EQ(read_file(path), "") << "creating truncates";
}

TEST(FileSeam, OpensOnlyExistingFiles) {
  TempFolder dir;
  dir.make_folder("sub");
  EXPECT_EQ(fs_open_read(dir.at("missing").c_str()), nullptr);
  EXPECT_EQ(fs_open_read(dir.at("sub").c_str()), nullptr);
  EXPECT_EQ(fs_open_read(nullptr), nullptr);
  EXPECT_EQ(fs_attributes(dir.at("missing").c_str()), fs_attr_invalid);
  EXPECT_TRUE(fs_attributes(dir.at("sub").c_str()) & fs_attr_directory);
}

TEST(FileSeam, ListsDirectoriesWithTheirDotEntries) {
  TempFolder dir;
  dir.write("a.txt", "aaa");
  dir.write("noext", "");
  dir.make_folder("sub");
  EXPECT_EQ(listing(dir.at("*.*")), (std::vector<std::string>{".", "..", "a.txt", "noext", "sub"}));
  FsFindData data;
  FsFind* find = fs_find_first(dir.at("*.*").c_str(), &data);
  ASSERT_NE(find, nullptr);
  bool saw_file = false;
  do {
    if (std::string(data.name) == "a.txt") {
      saw_file = true;
      EXPECT_EQ(data.size, 3u);
      EXPECT_FALSE(data.attributes & fs_attr_directory);
    }
    if (std::string(data.name) == "sub") {
      EXPECT_TRUE(data.attributes & fs_attr_directory);
    }
  } while (fs_find_next(find, &data));
  fs_find_close(find);
  EXPECT_TRUE(saw_file);
  EXPECT_TRUE(listing(dir.at("missing\\*.*")).empty());
}

TEST(FileSeam, ANamesOnlyListingLeavesNoSizeUnreadable) {
  TempFolder dir;
  dir.write("a.txt", "aaa");
  dir.write("Upper.TXT", "12345");
  dir.write("empty", "");
  dir.make_folder("sub");
  FsDir* opened = fs_dir_open((dir.path() + "\\").c_str());
  ASSERT_NE(opened, nullptr);
  FsFindData data;
  FsFind* find = fs_find_first_names(dir.at("*.*").c_str(), &data);
  ASSERT_NE(find, nullptr);
  std::vector<std::string> sized;
  do {
    if (data.attributes & fs_attr_directory) continue;
    uint64_t size = data.size_known ? data.size : fs_dir_file_size(opened, data.name);
    sized.push_back(std::string(data.name) + "=" + std::to_string(size));
  } while (fs_find_next(find, &data));
  fs_find_close(find);
  std::sort(sized.begin(), sized.end());
  EXPECT_EQ(sized, (std::vector<std::string>{"Upper.TXT=5", "a.txt=3", "empty=0"}));
  EXPECT_EQ(fs_dir_file_size(opened, "missing"), 0u);
  EXPECT_EQ(fs_dir_file_size(opened, "sub"), 0u) << "a directory has no file size";
  EXPECT_EQ(fs_dir_file_size(nullptr, "a.txt"), 0u);
  fs_dir_close(opened);
  fs_dir_close(nullptr);
  EXPECT_EQ(fs_dir_open(dir.at("missing\\").c_str()), nullptr);
}

TEST(FileSeam, CopiesFilesWithTimesAndAttributes) {
  TempFolder dir;
  std::string from = dir.write("from.txt", "content");
  dir.write("to.txt", "older and longer content");
  ASSERT_TRUE(fs_create_directory(dir.at("made").c_str()));
  EXPECT_FALSE(fs_create_directory(dir.at("made").c_str())) << "it exists already";
  std::string to = dir.at("made\\to.txt");
  ASSERT_TRUE(fs_copy_file(from.c_str(), to.c_str()));
  ASSERT_TRUE(fs_copy_file(from.c_str(), dir.at("to.txt").c_str())) << "an existing target is overwritten";
  EXPECT_EQ(read_file(to), "content");
  EXPECT_EQ(read_file(dir.at("to.txt")), "content");
  EXPECT_FALSE(fs_copy_file(dir.at("missing").c_str(), to.c_str()));
  FsTimes times;
  ASSERT_TRUE(fs_get_times(from.c_str(), &times));
  times.written -= 36000000000ull;  // ten hours earlier, in either unit
  times.accessed = times.written;
  ASSERT_TRUE(fs_set_times(to.c_str(), &times));
  FsTimes copied;
  ASSERT_TRUE(fs_get_times(to.c_str(), &copied));
  EXPECT_EQ(copied.written / 10000000, times.written / 10000000);
  ASSERT_TRUE(fs_set_attributes(to.c_str(), fs_attr_readonly));
  EXPECT_TRUE(fs_attributes(to.c_str()) & fs_attr_readonly);
  ASSERT_TRUE(fs_set_attributes(to.c_str(), fs_attr_archive));
  EXPECT_FALSE(fs_attributes(to.c_str()) & fs_attr_readonly);
}
}  // namespace
