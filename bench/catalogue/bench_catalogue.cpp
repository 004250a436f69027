// How fast ScanRegistry builds the catalogue: on an in-memory registry of
// 20,000 classes, and in the win32 build also on the live registry. Each
// figure stands beside its reference, measured in the same run: a bare walk
// over the same classes that opens each one's ProgID key and reads its
// server value, the least any scan has to do.
#include "orrery/catalogue/catalogue.h"
#include "orrery/catalogue/registry_text.h"
#include "orrery/platform/memory_platform.h"
#ifdef _WIN32
#include "orrery/platform/win32_platform.h"
#endif

#include <chrono>
#include <cstdio>
#include <string>

using namespace orrery;

namespace {

const int kClassCount = 20000;
const int kRounds = 5;

std::string ClassName(int i)
{
    char name[48];
    std::snprintf(name, sizeof name, "{%08X-1234-4567-89AB-0123456789AB}", i);
    return name;
}

// A quarter controls, half DLL servers, a quarter EXE servers; every other
// server file exists, some values carry variables or arguments.
void FillMachine(CMemoryPlatform& machine)
{
    machine.files.SetVariable("SystemRoot", "C:\\Windows");
    for (int i = 0; i < kClassCount; ++i) {
        std::string key = "CLSID\\" + ClassName(i);
        std::string file = "C:\\Windows\\System32\\server" + std::to_string(i);
        machine.registry.SetString(key, "", "Class " + std::to_string(i));
        machine.registry.SetString(key + "\\ProgID", "", "Bench.Class." + std::to_string(i));
        switch (i % 4) {
        case 0:
            machine.registry.AddKey(key + "\\Control");
            machine.registry.SetString(key + "\\InprocServer32", "", file + ".ocx");
            machine.files.AddFile(file + ".ocx", 1000);
            break;
        case 1:
            machine.registry.SetString(key + "\\InprocServer32", "",
                                       "%SystemRoot%\\System32\\server" + std::to_string(i) + ".dll");
            break;
        case 2:
            machine.registry.SetString(key + "\\InprocServer32", "", file + ".dll");
            machine.files.AddFile(file + ".dll", 1000);
            break;
        default:
            machine.registry.SetString(key + "\\LocalServer32", "", "\"" + file + ".exe\" /automation");
            break;
        }
    }
}

size_t BareWalk(CRegistry& registry)
{
    CKeyGuard clsid(registry);
    if (clsid.Open(kClassesRoot, "CLSID") != kRegSuccess)
        return 0;
    RegKey clsidKey = clsid.Get();
    size_t classes = 0;
    std::string name;
    while (EnumSubkeyName(registry, clsidKey, static_cast<unsigned long>(classes), &name) == kRegSuccess) {
        ++classes;
        if (KeyExists(registry, clsidKey, name + "\\ProgID"))
            ReadKeyText(registry, clsidKey, name + "\\InprocServer32", nullptr, kClassValueSize);
    }
    return classes;
}

template <class Work>
double BestSeconds(Work work)
{
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        work();
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed.count() < best)
            best = elapsed.count();
    }
    return best;
}

void Measure(const char* title, CPlatform& platform)
{
    size_t classes = BareWalk(platform.registry);
    size_t records = 0;
    double scan = BestSeconds([&] {
        CCatalogue catalogue(platform);
        catalogue.ScanRegistry();
        records = catalogue.List(CategoryControls).size() +
                  catalogue.List(CategoryDllServers).size() +
                  catalogue.List(CategoryExeServers).size();
    });
    double walk = BestSeconds([&] { BareWalk(platform.registry); });
    std::printf("%s: %zu classes, %zu records\n", title, classes, records);
    std::printf("  ScanRegistry        %9.1f ms  %10.0f classes/s\n", scan * 1000, classes / scan);
    std::printf("  reference bare walk %9.1f ms  %10.0f classes/s\n", walk * 1000, classes / walk);
}

}  // namespace

int main()
{
    CMemoryPlatform memory;
    FillMachine(memory);
    Measure("in-memory registry", memory.Get());
#ifdef _WIN32
    CWin32Platform live;
    Measure("live registry", live.Get());
#endif
    return 0;
}
