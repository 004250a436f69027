#include "twyndle/engine/content_check.h"

#include <cstdlib>
#include <cstring>

#include "twyndle/engine/program_state.h"

namespace {
constexpr int32_t block_bytes = 65536;

// Fills `buffer` with up to `bytes` bytes (fewer only at the end of the
// file); -1 on a read error.
int32_t read_block(FsFile* file, char* buffer, int32_t bytes) {
  int32_t filled = 0;
  while (filled < bytes) {
    int32_t count = fs_read(file, buffer + filled, bytes - filled);
    if (count < 0) return -1;
    if (count == 0) break;
    filled += count;
  }
  return filled;
}

Contents compare_open_files(FsFile* left, FsFile* right, char* left_block, char* right_block) {
  for (;;) {
    if (program.abort_requested) return Contents::unknown;
    int32_t left_count = read_block(left, left_block, block_bytes);
    int32_t right_count = read_block(right, right_block, block_bytes);
    if (left_count < 0) return right_count < 0 ? Contents::both_unreadable : Contents::left_unreadable;
    if (right_count < 0) return Contents::right_unreadable;
    if (left_count != right_count) return Contents::different;
    if (std::memcmp(left_block, right_block, static_cast<size_t>(left_count)) != 0) return Contents::different;
    if (left_count < block_bytes) return Contents::same;
  }
}
}  // namespace

// Both files are opened, so that the user learns of every one that cannot
// be read, not only of the first.
Contents compare_contents(const DirEntry* left, const DirEntry* right) {
  FsFile* left_file = entry_open_read(left);
  FsFile* right_file = entry_open_read(right);
  Contents result = Contents::unknown;
  if (!left_file || !right_file) {
    result = left_file ? Contents::right_unreadable : right_file ? Contents::left_unreadable : Contents::both_unreadable;
  } else if (auto* blocks = static_cast<char*>(std::malloc(2 * block_bytes))) {
    result = compare_open_files(left_file, right_file, blocks, blocks + block_bytes);
    std::free(blocks);
  }
  fs_close(right_file);
  fs_close(left_file);
  return result;
}
