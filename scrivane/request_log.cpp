#include "scrivane/request_log.h"

#include <cstdio>

namespace scrivane {

std::string format_log_line(const std::string& atom_text) {
  std::string line;
  line.reserve(atom_text.size() + 2);
  for (char c : atom_text) {
    unsigned char byte = static_cast<unsigned char>(c);
    line += (byte < 0x20 || byte == 0x7f) ? '?' : c;
  }
  line += "\r\n";
  return line;
}

bool append_log_line(const std::string& log_path, const std::string& atom_text) {
  std::FILE* file = std::fopen(log_path.c_str(), "ab");
  if (!file) return false;
  std::string line = format_log_line(atom_text);
  bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  // fclose flushes; a failure there means the line did not reach the file.
  bool closed = std::fclose(file) == 0;
  return written && closed;
}

}  // namespace scrivane
