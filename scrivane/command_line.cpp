#include "scrivane/command_line.h"

namespace scrivane {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Reads the program name at text[pos]: double quotes toggle quoting and are
// dropped, blanks end it outside quotes, backslashes are plain. Leaves pos
// after it.
std::string read_program_name(const std::string& text, size_t& pos) {
  std::string name;
  bool quoted = false;
  for (; pos < text.size() && (quoted || !is_blank(text[pos])); ++pos) {
    if (text[pos] == '"') {
      quoted = !quoted;
    } else {
      name += text[pos];
    }
  }
  return name;
}

// Reads one argument at text[pos] with the quote and backslash rules.
std::string read_argument(const std::string& text, size_t& pos) {
  std::string arg;
  bool quoted = false;
  while (pos < text.size()) {
    char c = text[pos];
    if (is_blank(c) && !quoted) break;
    if (c == '\\') {
      size_t count = 0;
      while (pos < text.size() && text[pos] == '\\') { ++count; ++pos; }
      if (pos < text.size() && text[pos] == '"') {
        arg.append(count / 2, '\\');
        if (count % 2 == 1) { arg += '"'; ++pos; }
      } else {
        arg.append(count, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (quoted && pos + 1 < text.size() && text[pos + 1] == '"') {
        arg += '"';  // "" inside quotes is one literal quote
        pos += 2;
        continue;
      }
      quoted = !quoted;
      ++pos;
      continue;
    }
    arg += c;
    ++pos;
  }
  return arg;
}

void skip_blanks(const std::string& text, size_t& pos) {
  while (pos < text.size() && is_blank(text[pos])) ++pos;
}

}  // namespace

std::vector<std::string> split_command_line(const std::string& text) {
  std::vector<std::string> args;
  size_t pos = 0;
  skip_blanks(text, pos);
  args.push_back(read_program_name(text, pos));
  for (skip_blanks(text, pos); pos < text.size(); skip_blanks(text, pos)) {
    args.push_back(read_argument(text, pos));
  }
  return args;
}

std::string quote_argument(const std::string& arg) {
  if (!arg.empty() && arg.find_first_of(" \t\r\n\"") == std::string::npos) return arg;
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote itself escaped.
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  // Backslashes before the closing quote are doubled so they stay literal.
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

std::string join_command_line(const std::string& program, const std::vector<std::string>& args) {
  std::string line = "\"" + program + "\"";
  for (const std::string& arg : args) line += " " + quote_argument(arg);
  return line;
}

}  // namespace scrivane
