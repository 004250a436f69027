#include "twyndle/app/command_line.h"

#include <cctype>

namespace {
bool is_option(const std::string& arg) {
  return !arg.empty() && (arg[0] == '-' || arg[0] == '/');
}

char option_letter(const std::string& arg) {
  if (arg.size() < 2) return '\0';
  return static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
}

uint32_t state_bit(char letter) {
  switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 's': return 1;
    case 'l': return 2;
    case 'r': return 4;
    case 'd': return 8;
    default: return 0;
  }
}

// Applies one option; `next` is the index of the argument after it, moved
// on when the option takes that argument. False when not understood.
bool apply_option(CommandLine& line, const std::vector<std::string>& args, size_t& next) {
  const std::string& arg = args[next - 1];
  switch (option_letter(arg)) {
    case 'c': line.colour_marks = true; return true;
    case 'd': line.side_by_side = true; return true;
    case 'i': line.ignore_blanks = true; return true;
    case 'o': line.only_changes = true; return true;
    case 't': return true;
    case 's': {
      if (!parse_save_states(arg.substr(2), &line.save_states)) return false;
      if (next < args.size()) {
        line.save = true;
        line.save_file = args[next++];
      }
      return true;
    }
    default: return false;
  }
}
}  // namespace

bool parse_save_states(const std::string& letters, uint32_t* states) {
  uint32_t bits = 0;
  for (char letter : letters) {
    uint32_t bit = state_bit(letter);
    if (!bit) return false;
    bits |= bit;
  }
  *states = bits ? bits : default_save_states;
  return true;
}

CommandLine parse_command_line(const std::vector<std::string>& args) {
  CommandLine line;
  size_t next = 0;
  while (next < args.size()) {
    const std::string& arg = args[next++];
    if (is_option(arg)) {
      if (!apply_option(line, args, next)) {
        line.options_error = true;
        return line;
      }
    } else if (!line.has_left) {
      line.left_path = arg;
      line.has_left = true;
    } else {
      line.right_path = arg;
    }
  }
  return line;
}
