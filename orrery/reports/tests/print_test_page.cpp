// Prints the browser test page for a ProgID and a CLSID given as arguments,
// so that a real HTML parser can read it back.
#include "orrery/reports/test_page.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: print_test_page PROGID CLSID\n");
        return 2;
    }
    std::string page = orrery::TestPageText(argv[1], argv[2]);
    std::fwrite(page.data(), 1, page.size(), stdout);
    return 0;
}
