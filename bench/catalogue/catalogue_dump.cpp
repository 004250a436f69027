// catalogue-dump: scans the live registry as orrery does and prints one line
// per record in catalogue order (Controls, DLL Servers, EXE Servers, each in
// scan order): category, CLSID, ProgID, file path, found flag (1 or 0),
// separated by tabs; a tab, line break or backslash inside a field is written
// \t, \n, \r or \\. With --find PATH it prints the record that the lookup by
// file returns, in the same format, or nothing. With --remove CLSID (or
// --remove-appid CLSID) it removes the class (see dump_remove.h). With --deps
// PATH it walks the file's DLL dependencies and prints one line per DLL in
// list order: the name as its importer wrote it, the path where it was found
// (empty when it is missing) and the found flag, escaped alike; it ends with 1
// when the file cannot be opened.
#include "bench/catalogue/dump_fields.h"
#include "bench/catalogue/dump_remove.h"
#include "orrery/catalogue/catalogue.h"
#include "orrery/dependencies/collect_dependencies.h"
#include "orrery/platform/win32_platform.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <string>

using namespace orrery;

namespace {

void PrintRecord(int category, CComObject& record)
{
    std::fputs(DumpLine({std::to_string(category), record.GetClsid(), record.GetProgID(),
                         record.GetFilePath(), record.IsFound() ? "1" : "0"})
                   .c_str(),
               stdout);
}

int CategoryOf(const CComObject& record)
{
    if (dynamic_cast<const CComControl*>(&record))
        return CategoryControls;
    if (dynamic_cast<const CDllServer*>(&record))
        return CategoryDllServers;
    return CategoryExeServers;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: catalogue-dump [--find PATH | --remove CLSID | --remove-appid CLSID | --deps PATH]\n"
                 "One line per record: category, CLSID, ProgID, file path, found flag;\n"
                 "with --deps one line per DLL: name, path (empty: missing), found flag;\n"
                 "separated by tabs. Inside a field a tab is written \\t, a line feed \\n,\n"
                 "a carriage return \\r and a backslash \\\\.\n"
                 "--remove removes the class as the Remove command does (the AppID question\n"
                 "answered No; --remove-appid answers Yes), prints the report and exits 0 when\n"
                 "the class key is gone, 1 when it is still there.\n");
    return 2;
}

int PrintDependencies(CPlatform& machine, const char* path)
{
    CDependencyList list;
    if (!CollectDependencies(machine, path, list)) {
        std::fprintf(stderr, "catalogue-dump: cannot open %s\n", path);
        return 1;
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::fputs(DumpLine({list[i].GetDisplayName(), list[i].GetFilePath(), list[i].IsFound() ? "1" : "0"})
                       .c_str(),
                   stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Lines end in a bare line feed, so that readers on any system split them alike.
    _setmode(_fileno(stdout), _O_BINARY);
    CWin32Platform machine;
    if (argc == 3 && std::strcmp(argv[1], "--find") == 0) {
        std::unique_ptr<CComObject> found = FindObjectByFile(machine.Get(), argv[2], nullptr);
        if (found)
            PrintRecord(CategoryOf(*found), *found);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--remove") == 0)
        return RemoveClassFromDump(machine.Get(), argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "--remove-appid") == 0)
        return RemoveClassFromDump(machine.Get(), argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "--deps") == 0)
        return PrintDependencies(machine.Get(), argv[2]);
    if (argc != 1)
        return Usage();
    CCatalogue catalogue(machine.Get());
    catalogue.ScanRegistry();
    for (int category = 0; category < kCategoryCount; ++category) {
        for (const std::unique_ptr<CComObject>& record : catalogue.List(static_cast<ObjectCategory>(category)))
            PrintRecord(category, *record);
    }
    return 0;
}
