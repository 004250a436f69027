#include "scrivane/open_request.h"

#include <climits>

namespace scrivane {

namespace {

bool all_digits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Decimal digits to a number, held at ULONG_MAX when it would overflow (such
// a line is past the end of any file and is shown as the last line).
unsigned long saturating_number(const std::string& digits) {
  unsigned long value = 0;
  for (char c : digits) {
    unsigned long digit = static_cast<unsigned long>(c - '0');
    if (value > (ULONG_MAX - digit) / 10) return ULONG_MAX;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

OpenRequest parse_open_request(const std::string& text) {
  OpenRequest request;
  request.path = text;
  size_t slash = text.rfind('/');
  if (slash == std::string::npos || slash == 0) return request;
  std::string number = text.substr(slash + 1);
  if (!all_digits(number)) return request;
  request.path = text.substr(0, slash);
  request.line_number = saturating_number(number);
  return request;
}

OpenRequest resolve_open_request(const std::string& text,
                                 const std::function<bool(const std::string&)>& is_file) {
  OpenRequest request = parse_open_request(text);
  if (request.path != text && !is_file(request.path) && is_file(text)) {
    request.path = text;
    request.line_number = 0;
  }
  return request;
}

}  // namespace scrivane
