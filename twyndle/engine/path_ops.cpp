#include "twyndle/engine/path_ops.h"

#include <cstring>

#include "twyndle/engine/code_page.h"
#include "twyndle/engine/file_seam.h"

bool path_is_directory(const char* path) {
  if (!path) return false;
  uint32_t attributes = fs_attributes(path);
  return attributes != fs_attr_invalid && (attributes & fs_attr_directory);
}

bool path_is_file(const char* path) {
  if (!path) return false;
  uint32_t attributes = fs_attributes(path);
  return attributes != fs_attr_invalid && !(attributes & (fs_attr_directory | fs_attr_device));
}

uint64_t path_file_size(const char* path, bool* opened) {
  FsFile* file = path ? fs_open_read(path) : nullptr;
  if (opened) *opened = file != nullptr;
  if (!file) return 0;
  uint64_t size = fs_size(file);
  fs_close(file);
  return size;
}

namespace {
// Windows takes a slash for a backslash in a path, and so do we.
bool is_separator(char c) { return c == '\\' || c == '/'; }

// The separators of a path: backslashes and slashes that follow no lead
// byte and do not stand first. Calls `seen` with each position.
template <typename Seen>
void each_separator(const char* path, Seen seen) {
  for (const char* p = path; *p; ++p) {
    if (is_lead_byte(static_cast<unsigned char>(*p))) {
      if (!p[1]) break;
      ++p;
    } else if (is_separator(*p) && p != path) {
      seen(p);
    }
  }
}
}  // namespace

const char* last_component(const char* path) {
  if (!path) return nullptr;
  const char* last = nullptr;
  const char* before_last = nullptr;
  each_separator(path, [&](const char* p) {
    before_last = last;
    last = p;
  });
  if (last && last[1]) return last + 1;
  if (before_last) return before_last + 1;
  // No separator, or only a trailing one: the part after the last colon
  // (a trailing separator stays with the name).
  const char* colon = nullptr;
  for (const char* p = path; *p && p != last; ++p) {
    if (*p == ':') colon = p;
  }
  return colon ? colon + 1 : path;
}

bool path_ends_in_separator(const char* path) {
  if (!path || !*path) return false;
  const char* last = nullptr;
  each_separator(path, [&](const char* p) { last = p; });
  size_t length = std::strlen(path);
  return (last && last == path + length - 1) || (length == 1 && is_separator(path[0]));
}

int path_compare(const char* a, const char* b) {
  if (!a) return -1;
  if (!b) return 1;
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  if (!*a && !*b) return 0;
  if (!*a) return -1;
  if (!*b) return 1;
  int base;
  if (*a == '\\') {
    base = -1;
  } else if (*b == '\\') {
    base = 1;
  } else {
    base = static_cast<signed char>(*a) - static_cast<signed char>(*b);
  }
  bool a_deeper = std::strchr(a, '\\') != nullptr;
  bool b_deeper = std::strchr(b, '\\') != nullptr;
  if (a_deeper && !b_deeper) return 1;
  if (b_deeper && !a_deeper) return -1;
  return base;
}
