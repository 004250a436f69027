// The fixture images the test build makes with mingw (see fixtures/), read
// from the build tree, and a small machine in memory to walk them on.
#pragma once

#include "orrery/dependencies/dependency_list.h"
#include "orrery/platform/memory_platform.h"

#include <string>
#include <vector>

namespace orrery {

// The path of a fixture, relative as in "chain/chain_a.dll".
std::string FixturePath(const std::string& relative);
// The bytes of a fixture image; the test fails when it cannot be read.
std::vector<unsigned char> ReadFixture(const std::string& relative);
// objdump's reading of a fixture's import table: the DLL names in order.
std::vector<std::string> FixtureImportsByObjdump(const std::string& relative);
bool WideFixturesBuilt();

// The system directory of the machines below, on the system search path.
extern const char kSystemDirectory[];

// A machine in memory with a system directory on its search path that holds
// KERNEL32.dll and version.dll (images without imports).
class CDependencyMachine : public CMemoryPlatform {
public:
    CDependencyMachine();
    // Puts a fixture image at a path of this machine.
    void Install(const std::string& path, const std::string& relative);
    // Puts every image of a fixture set into directory.
    void InstallSet(const std::string& directory, const std::string& set,
                    const std::vector<std::string>& names);
};

// One "name<TAB>path<TAB>found" line per record, as catalogue-dump prints them.
std::vector<std::string> DescribeList(const CDependencyList& list);

}  // namespace orrery
