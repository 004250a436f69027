// Path queries and the order of names and relative paths.
#pragma once

#include <cstdint>

bool path_is_directory(const char* path);
// A file that can be read as one: neither a directory nor a pipe, socket,
// device or link that leads nowhere.
bool path_is_file(const char* path);
// An existing file's size in bytes; 0 when it cannot be opened, and then
// `opened`, when given, is set false.
uint64_t path_file_size(const char* path, bool* opened = nullptr);

// The part after the last separator; for a path ending in a separator, the
// last name including it. Separators are backslashes and, as Windows takes
// them too, slashes; one after a double-byte lead byte is no separator, and
// one in the first position does not count. Without a separator: the part
// after the last colon, else the whole path. Points into `path`; none for
// none.
const char* last_component(const char* path);

// Negative, zero or positive. A missing name sorts first; at the first
// difference a backslash sorts first, otherwise the signed bytes decide,
// unless only one side has a backslash from there on: the side with more
// directory levels to go sorts last. So a directory's files come before
// everything in its subdirectories.
int path_compare(const char* a, const char* b);

// True when the path ends in a separator (a backslash or a slash).
bool path_ends_in_separator(const char* path);
