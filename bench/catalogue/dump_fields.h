// The line format of catalogue-dump: fields separated by tabs, one record a
// line. A field holding a tab, a line break or a backslash would break that,
// so those are written as \t, \n, \r and \\; every other byte as it is.
#pragma once

#include <string>
#include <vector>

std::string EscapeDumpField(const std::string& text);

// The fields escaped, joined by tabs, ended with a line feed.
std::string DumpLine(const std::vector<std::string>& fields);
