#include "twyndle/app/listing.h"

#include <cstdio>
#include <cstring>

namespace {
const char separator[] = "====\r\n";

void append(std::string& out, const char* text) {
  if (text) out += text;
}

// Takes off the line end that a row's text ends in: LF, CR LF, or the CR
// alone that ends the last line of a file without a LF.
void drop_line_end(std::string& out) {
  if (!out.empty() && out.back() == '\n') out.pop_back();
  if (!out.empty() && out.back() == '\r') out.pop_back();
}
}  // namespace

bool is_change_row(const char* mark) {
  return !mark || !std::strstr(mark, "    ");
}

std::string listing_text(const ListingHeader& header, int32_t row_count, const ListingCell& cell) {
  std::string out;
  append(out, header.comparing);
  append(out, header.left_path);
  out += "\r\n";
  append(out, header.to);
  append(out, header.right_path);
  out += "\r\n";
  out += separator;
  bool previous_changed = false;
  for (int32_t row = 0; row < row_count; ++row) {
    bool changed = is_change_row(cell(row, 1));
    if (changed != previous_changed) out += separator;
    previous_changed = changed;
    append(out, cell(row, 0));
    out += '\t';
    append(out, cell(row, 1));
    append(out, cell(row, 2));
    drop_line_end(out);
    out += "\r\n";
  }
  return out;
}

WriteResult write_text_file(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return WriteResult::cannot_open;
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0) written = false;
  return written ? WriteResult::written : WriteResult::cannot_write;
}
