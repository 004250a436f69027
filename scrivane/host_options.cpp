#include "scrivane/host_options.h"

#include <cctype>

namespace scrivane {

namespace {

bool is_option(const std::string& arg) {
  return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-');
}

// The option's name without its "/" or "-", in lower case.
std::string option_name(const std::string& arg) {
  std::string name;
  for (size_t i = 1; i < arg.size(); ++i) {
    name += static_cast<char>(std::tolower(static_cast<unsigned char>(arg[i])));
  }
  return name;
}

// Applies one option; returns false with options.error set when it is unknown
// or incomplete. May consume the next argument (the log file).
bool apply_option(const std::vector<std::string>& args, size_t& i, HostOptions& options) {
  std::string name = option_name(args[i]);
  if (name == "german") {
    options.german = true;
  } else if (name == "nocompare") {
    options.no_compare = true;
  } else if (name == "?" || name == "help") {
    options.show_usage = true;
  } else if (name == "log") {
    if (i + 1 >= args.size() || args[i + 1].empty()) {
      options.error = args[i] + " needs a file name.";
      return false;
    }
    options.log_path = args[++i];
  } else {
    options.error = "Unknown option: " + args[i];
    return false;
  }
  return true;
}

}  // namespace

HostOptions parse_host_options(const std::vector<std::string>& args) {
  HostOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") {
      options.twyndle_args.insert(options.twyndle_args.end(), args.begin() + i + 1, args.end());
      break;
    }
    if (!is_option(args[i])) {
      options.twyndle_args.push_back(args[i]);
    } else if (!apply_option(args, i, options)) {
      break;
    }
  }
  return options;
}

std::string usage_text() {
  return "Usage: scrivane [/german] [/log FILE] [/nocompare] [PATH...] [-- ARGUMENTS...]\n"
         "\n"
         "/german\tanswer twyndle's language question with German\n"
         "/log FILE\tappend every open request to FILE, one line each\n"
         "/nocompare\tdo not start twyndle at start-up\n"
         "/?\tshow this text\n"
         "PATH...\tpaths to compare: twyndle is started with them\n"
         "-- ...\teverything after -- goes to twyndle unchanged,\n"
         "\tfor example: scrivane -- -d -i left.c right.c\n"
         "\n"
         "twyndle.exe is looked for beside scrivane.exe. File, Compare...\n"
         "starts it with paths and options chosen in a dialog.";
}

}  // namespace scrivane
