// What GNU diff -rq says of two folders, read from its output.
#pragma once

#include <map>
#include <set>
#include <string>

namespace test_support {

// Each file diff names, by its name relative to the roots (slashes):
// "differ", "left" or "right"; files it does not name are identical. `left`
// and `right` are the roots as diff was given them; "Only in" a directory
// names every file of `files` below it. A line of any other kind fails the
// test.
std::map<std::string, std::string> diff_verdicts(const std::string& output, const std::string& left,
                                                 const std::string& right, const std::set<std::string>& files);

}  // namespace test_support
