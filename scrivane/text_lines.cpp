#include "scrivane/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace scrivane {

namespace {

size_t shown_columns(const char* text, size_t length) {
  size_t columns = 0;
  for (size_t i = 0; i < length; ++i) {
    columns = text[i] == '\t' ? (columns / tab_columns + 1) * tab_columns : columns + 1;
  }
  return columns;
}

// Reads the whole file in blocks, stopping once it is larger than the limit
// (so no size query is needed and a growing file cannot overrun the limit).
enum class ReadOutcome { ok, too_large, failed };

ReadOutcome read_all(std::FILE* file, std::string& text) {
  static const size_t block = size_t(1) << 20;
  std::vector<char> buffer(block);
  for (;;) {
    size_t got = std::fread(buffer.data(), 1, block, file);
    if (text.size() + got > max_text_bytes) return ReadOutcome::too_large;
    text.append(buffer.data(), got);
    if (got < block) return std::ferror(file) ? ReadOutcome::failed : ReadOutcome::ok;
  }
}

std::string describe_errno(int error) {
  const char* text = std::strerror(error);
  return text ? text : "unknown error";
}

}  // namespace

LineSpan TextLines::line(size_t index) const {
  size_t start = line_starts[index];
  size_t end = index + 1 < line_starts.size() ? line_starts[index + 1] : text.size();
  if (end > start && text[end - 1] == '\n') --end;
  if (end > start && text[end - 1] == '\r') --end;
  return LineSpan{text.data() + start, end - start};
}

LineSpan TextLines::shown_line(size_t index) const {
  LineSpan span = line(index);
  span.length = std::min(span.length, max_shown_bytes);
  return span;
}

void index_lines(TextLines& lines) {
  lines.line_starts.clear();
  lines.widest_columns = 0;
  const std::string& text = lines.text;
  size_t start = 0;
  while (start < text.size()) {
    lines.line_starts.push_back(static_cast<uint32_t>(start));
    size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    size_t shown = std::min(end - start, max_shown_bytes);
    lines.widest_columns = std::max(lines.widest_columns, shown_columns(text.data() + start, shown));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

bool load_text_lines(const std::string& path, TextLines& lines, std::string& error_message) {
  lines = TextLines();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error_message = "Cannot open " + path + ": " + describe_errno(errno);
    return false;
  }
  ReadOutcome outcome = ReadOutcome::failed;
  int read_error = 0;
  try {
    outcome = read_all(file, lines.text);
    read_error = errno;
    if (outcome == ReadOutcome::ok) index_lines(lines);
  } catch (const std::bad_alloc&) {
    std::fclose(file);
    lines = TextLines();
    error_message = "Not enough memory to show " + path + ".";
    return false;
  }
  std::fclose(file);
  if (outcome == ReadOutcome::ok) return true;
  lines = TextLines();
  error_message = outcome == ReadOutcome::too_large
                      ? path + " is too large to show (the limit is 256 MB)."
                      : "Cannot read " + path + ": " + describe_errno(read_error);
  return false;
}

}  // namespace scrivane
