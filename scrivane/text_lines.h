// A text file held in memory with an index of its lines, for the viewer.
//
// A line ends at CR LF, LF or a lone CR; the line end is not part of the
// line. A line end at the very end of the file does not start another line,
// so "a\nb\n" has two lines and an empty file has none.
//
// The viewer draws only the first max_shown_bytes of a line, and the index
// records how wide the widest shown line is in columns (tabs to multiples of
// 8), so that very long lines cost no more than a screenful of text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scrivane {

constexpr size_t max_text_bytes = size_t(256) << 20;  // larger files are refused
constexpr size_t max_shown_bytes = 8192;              // per line, when drawn
constexpr int tab_columns = 8;

struct LineSpan {
  const char* text;
  size_t length;  // in bytes, without the line end
};

struct TextLines {
  std::string text;                   // the file's bytes, unchanged
  std::vector<uint32_t> line_starts;  // byte offset of each line, ascending
  size_t widest_columns = 0;          // widest shown line, tabs expanded

  size_t line_count() const { return line_starts.size(); }
  // Line index is 0-based here; index must be below line_count().
  LineSpan line(size_t index) const;
  // The same, cut to max_shown_bytes.
  LineSpan shown_line(size_t index) const;
};

// Builds the line index and width of lines.text.
void index_lines(TextLines& lines);

// Reads and indexes a file. On failure returns false with a message for the
// user in error_message, and leaves lines empty.
bool load_text_lines(const std::string& path, TextLines& lines, std::string& error_message);

}  // namespace scrivane
