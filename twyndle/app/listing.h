// The compare listing written for the host (Save, F12): a header naming the
// two files, then every row of the View as number, tab, mark and text, with
// a "====" line wherever a run of equal rows meets a run of changed rows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct ListingHeader {
  const char* comparing;   // "Comparing: "
  const char* to;          // "To: "
  const char* left_path;   // none is written as nothing
  const char* right_path;
};

// A cell's text (none for a missing one); the text need only live until the
// next call.
using ListingCell = std::function<const char*(int32_t row, int32_t column)>;

// A row is a change row when its mark (column 1) does not hold four blanks
// in a row: every mark but the Equal mark "    ".
bool is_change_row(const char* mark);

// The whole listing, every line ending in CR LF: a row's text is written
// without its own line end (LF, or CR LF) and CR LF follows, so that files
// with either kind of line end, or a last line without one, give the host
// one kind.
std::string listing_text(const ListingHeader& header, int32_t row_count, const ListingCell& cell);

// Writes the text to a new file, replacing an existing one.
enum class WriteResult { written, cannot_open, cannot_write };
WriteResult write_text_file(const std::string& path, const std::string& text);
