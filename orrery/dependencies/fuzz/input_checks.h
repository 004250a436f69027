// The promises the reader and the walk keep for any input whatever, checked
// on one input: by the fuzzer on every input it makes, and by the replay of
// the saved corpus in the regular tests.
#pragma once

#include <string>
#include <vector>

namespace orrery {

// Reads the input's import names and walks it in a machine in memory where
// the input is the root and also every DLL it names, so that it meets itself
// again and again. Returns what went wrong, or empty text when every promise
// was kept.
std::string CheckImportPromises(const std::vector<unsigned char>& input);

}  // namespace orrery
