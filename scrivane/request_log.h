// The request log: with "/log FILE", every open request is appended to FILE as
// one line holding the atom's text as received, ending in CR LF. The file is
// opened, written and closed for each line, so a reader sees each request as
// soon as it has been handled.
#pragma once

#include <string>

namespace scrivane {

// The line written for one request: the text with every control character
// replaced by "?" (so one request is always one line), then CR LF.
std::string format_log_line(const std::string& atom_text);

// Appends the request's line to the log; false when the file cannot be
// opened or written.
bool append_log_line(const std::string& log_path, const std::string& atom_text);

}  // namespace scrivane
