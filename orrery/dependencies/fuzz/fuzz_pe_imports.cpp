// libFuzzer target: the import reader and the dependency walk on any bytes.
// Memory errors and undefined behaviour are the sanitizers' to report; a
// broken promise of the reader or the walk stops the run with its reason.
#include "orrery/dependencies/fuzz/input_checks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<unsigned char> input(data, data + size);
    std::string broken = orrery::CheckImportPromises(input);
    if (!broken.empty()) {
        std::fprintf(stderr, "broken promise: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
