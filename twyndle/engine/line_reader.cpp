// Cutting an open file into Lines. A line runs up to and including its LF;
// CR is an ordinary byte; the last line may lack its LF. The buffer grows
// until it holds a whole line, so a line is never cut, however long: line
// numbers stay those every editor shows for the file.
#include <cstdlib>
#include <cstring>

#include "twyndle/engine/source_file.h"

namespace {
constexpr uint32_t first_buffer_bytes = 65536;
constexpr uint32_t largest_buffer_bytes = 0x7FFFFFF0u;

struct LineReader {
  FsFile* file;
  char* buffer;
  uint32_t capacity;
  uint32_t cursor;    // start of the unread bytes
  uint32_t searched;  // bytes before this position hold no LF
  uint32_t end;       // end of the bytes read
  bool at_end;        // the file has no more bytes
  bool failed;        // a read or the buffer's growth failed
  bool read_error;    // it was the read
};

// Keeps the unread bytes, growing the buffer when they fill it, and reads more.
void refill(LineReader& reader) {
  uint32_t kept = reader.end - reader.cursor;
  std::memmove(reader.buffer, reader.buffer + reader.cursor, kept);
  reader.searched -= reader.cursor;
  reader.cursor = 0;
  reader.end = kept;
  if (kept == reader.capacity) {
    uint32_t capacity = reader.capacity > largest_buffer_bytes / 2 ? largest_buffer_bytes : reader.capacity * 2;
    char* grown = capacity > reader.capacity ? static_cast<char*>(std::realloc(reader.buffer, capacity)) : nullptr;
    if (!grown) {
      reader.failed = true;
      return;
    }
    reader.buffer = grown;
    reader.capacity = capacity;
  }
  int32_t count = fs_read(reader.file, reader.buffer + kept, static_cast<int32_t>(reader.capacity - kept));
  if (count < 0) reader.failed = reader.read_error = true;
  if (count <= 0) {
    reader.at_end = true;
  } else {
    reader.end += static_cast<uint32_t>(count);
  }
}

// The next line's bytes and length; false at the end of the file or on failure.
bool next_line(LineReader& reader, const char** bytes, uint32_t* length) {
  for (;;) {
    const void* lf = std::memchr(reader.buffer + reader.searched, '\n', reader.end - reader.searched);
    if (lf) {
      uint32_t stop = static_cast<uint32_t>(static_cast<const char*>(lf) - reader.buffer) + 1;
      *bytes = reader.buffer + reader.cursor;
      *length = stop - reader.cursor;
      reader.cursor = reader.searched = stop;
      return true;
    }
    reader.searched = reader.end;
    if (reader.at_end || reader.failed) break;
    refill(reader);
    if (reader.failed) return false;
  }
  *bytes = reader.buffer + reader.cursor;
  *length = reader.end - reader.cursor;
  reader.cursor = reader.end;
  return *length > 0 && !reader.failed;
}
}  // namespace

bool read_lines(FsFile* file, BlockList* lines, bool* read_error) {
  if (read_error) *read_error = false;
  if (!file || !lines) return false;
  if (!fs_rewind(file)) {
    if (read_error) *read_error = true;
    return false;
  }
  LineReader reader = {file, static_cast<char*>(std::malloc(first_buffer_bytes)), first_buffer_bytes, 0, 0, 0,
                       false, false, false};
  if (!reader.buffer) return false;
  const char* bytes;
  uint32_t length;
  int32_t number = 0;
  bool ok = true;
  while (ok && next_line(reader, &bytes, &length)) ok = line_new(bytes, length, ++number, lines) != nullptr;
  std::free(reader.buffer);
  if (read_error) *read_error = reader.read_error;
  return ok && !reader.failed;
}
