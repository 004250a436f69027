// How fast the dependency walk reads and follows real PE files: the files of
// a Wine prefix's system32 (the folder is the first argument, or
// TARNWICK_SYSTEM32; scripts/bench passes its bench prefix's).
//
// (a) The import names of every file read once, against
//     i686-w64-mingw32-objdump -p over the same files in the same run (one
//     objdump process for all of them, its output parsed for the names);
//     the two readings are also compared file by file.
// (b) The full walk with every file as a root, as orrery's finder would do it
//     for a category of that many servers: total time and files opened per
//     second.
// (c) The largest of those walks with the names looked up in the set beside
//     the list, and again with a linear search of the list; then both on
//     made-up chains of growing length, to show the set keeps the walk
//     linear where the search grows with the square.
#include "orrery/dependencies/collect_dependencies.h"
#include "orrery/dependencies/pe_imports.h"
#include "orrery/dependencies/tests/image_builder.h"
#include "orrery/platform/memory_platform.h"
#include "orrery/platform/posix_file_views.h"
#include "orrery/platform/upper_case.h"

#include <dirent.h>
#include <strings.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace orrery;

namespace {

const char kSystem[] = "C:\\windows\\system32";
const int kRounds = 5;

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <class Work>
double BestSeconds(Work work, int rounds = kRounds)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        auto start = std::chrono::steady_clock::now();
        work();
        best = std::min(best, Seconds(start));
    }
    return best;
}

// The regular files of the folder that start with "MZ", sorted by name.
std::vector<std::string> PeFiles(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return names;
    while (dirent* entry = readdir(dir)) {
        std::string path = folder + "/" + entry->d_name;
        FILE* file = std::fopen(path.c_str(), "rb");
        char mz[2] = {0, 0};
        if (file && std::fread(mz, 1, 2, file) == 2 && mz[0] == 'M' && mz[1] == 'Z')
            names.push_back(entry->d_name);
        if (file)
            std::fclose(file);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// The system32 folder of the machine below: its file names live in an
// in-memory file system (as C:\windows\system32\NAME, found ignoring case)
// and their bytes are mapped from the host folder.
class CHostSystem32 : public CFileViews {
public:
    CHostSystem32(const std::string& folder, const std::vector<std::string>& names)
    {
        files.AddSearchDirectory(kSystem);
        for (const std::string& name : names) {
            files.AddFile(std::string(kSystem) + "\\" + name, 1);
            m_hostPaths[UpperCase(std::string(kSystem) + "\\" + name)] = folder + "/" + name;
        }
    }

    std::unique_ptr<CFileView> OpenView(const std::string& path) override
    {
        ++opened;
        auto found = m_hostPaths.find(UpperCase(path));
        return found == m_hostPaths.end() ? nullptr : m_host.OpenView(found->second);
    }

    CPlatform Platform() { return CPlatform{registry, files, versions, *this}; }

    CMemoryRegistry registry;
    CMemoryFileSystem files;
    CMemoryVersionResources versions;
    unsigned long opened = 0;

private:
    CPosixFileViews m_host;
    std::map<std::string, std::string> m_hostPaths;
};

// The list as it was: every name looked up by a search of the list.
class CLinearDependencyList : public CDependencyList {
public:
    bool Contains(const std::string& name) const override
    {
        for (std::size_t i = 0; i < size(); ++i) {
            if (strcasecmp((*this)[i].GetDisplayName().c_str(), name.c_str()) == 0)
                return true;
        }
        return false;
    }
};

typedef std::map<std::string, std::vector<std::string>> NamesByFile;

NamesByFile ReadAllNames(CFileViews& views, const std::string& folder, const std::vector<std::string>& files)
{
    NamesByFile names;
    for (const std::string& file : files) {
        std::vector<std::string>& list = names[file];
        if (std::unique_ptr<CFileView> view = views.OpenView(folder + "/" + file))
            ReadImportedDllNames(view->Bytes(), &list);
    }
    return names;
}

// Text as one word of a POSIX shell, whatever quotes it holds.
std::string ShellWord(const std::string& text)
{
    std::string word = "'";
    for (char c : text)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// objdump -p over every file in one process, its "DLL Name:" lines gathered by file.
NamesByFile ObjdumpNames(const std::string& folder, const std::vector<std::string>& files)
{
    NamesByFile names;
    std::string command = "cd " + ShellWord(folder) + " && i686-w64-mingw32-objdump -p";
    for (const std::string& file : files)
        command += " " + ShellWord(file);
    command += " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return names;
    std::string current;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        std::size_t format = text.find(":     file format ");
        if (format != std::string::npos && text.find('\t') == std::string::npos) {
            current = text.substr(0, format);
            names[current];
        }
        const std::string marker = "\tDLL Name: ";
        if (text.compare(0, marker.size(), marker) == 0)
            names[current].push_back(text.substr(marker.size()));
    }
    pclose(pipe);
    return names;
}

void ReaderAgainstObjdump(const std::string& folder, const std::vector<std::string>& files)
{
    CPosixFileViews views;
    NamesByFile ours;
    double reader = BestSeconds([&] { ours = ReadAllNames(views, folder, files); });
    NamesByFile theirs;
    double objdump = BestSeconds([&] { theirs = ObjdumpNames(folder, files); }, 3);
    std::size_t names = 0;
    std::size_t differ = 0;
    for (const std::string& file : files) {
        names += ours[file].size();
        if (ours[file] != theirs[file]) {
            if (++differ <= 5)
                std::printf("  differs from objdump: %s\n", file.c_str());
        }
    }
    std::printf("(a) import names of %zu files (%zu names), each read once\n", files.size(), names);
    std::printf("  ReadImportedDllNames        %9.1f ms  %9.0f files/s\n", reader * 1000, files.size() / reader);
    std::printf("  reference objdump -p        %9.1f ms  %9.0f files/s\n", objdump * 1000, files.size() / objdump);
    std::printf("  speed-up %.0fx (target: at least 10x); readings that differ from objdump's: %zu\n",
                objdump / reader, differ);
}

// The least a walk does per file: open it, map it, look at its first byte.
unsigned MapEachFile(const std::string& folder, const std::vector<std::string>& files)
{
    CPosixFileViews views;
    unsigned sum = 0;
    for (const std::string& file : files) {
        if (std::unique_ptr<CFileView> view = views.OpenView(folder + "/" + file))
            sum += view->Bytes().data[0];
    }
    return sum;
}

struct CWalkFigures {
    double seconds = 0;
    unsigned long opened = 0;
    std::size_t records = 0;
    std::string largestRoot;
    std::size_t largest = 0;
};

CWalkFigures WalkEveryRoot(CHostSystem32& system, const std::vector<std::string>& files)
{
    CWalkFigures figures;
    CPlatform platform = system.Platform();
    system.opened = 0;
    auto start = std::chrono::steady_clock::now();
    for (const std::string& file : files) {
        CDependencyList list;
        CollectDependencies(platform, std::string(kSystem) + "\\" + file, list);
        figures.records += list.size();
        if (list.size() > figures.largest) {
            figures.largest = list.size();
            figures.largestRoot = file;
        }
    }
    figures.seconds = Seconds(start);
    figures.opened = system.opened;
    return figures;
}

template <class List>
double WalkOnce(CPlatform& platform, const std::string& root, std::size_t* records)
{
    return BestSeconds([&] {
        List list;
        CollectDependencies(platform, root, list);
        *records = list.size();
    });
}

// A chain of length DLLs in memory, each importing the next eight: every
// DLL's names are looked up against a list that holds all before it.
void ChainScaling()
{
    std::printf("(c) made-up chains, each DLL importing the next eight: set against linear search\n");
    std::printf("  %8s %10s %10s %12s %12s %8s\n", "DLLs", "set ms", "us/DLL", "linear ms", "us/DLL", "ratio");
    for (int length = 500; length <= 8000; length *= 2) {
        CMemoryPlatform machine;
        for (int i = 0; i < length; ++i) {
            std::vector<std::string> imports;
            for (int next = i + 1; next <= i + 8 && next < length; ++next)
                imports.push_back("chain" + std::to_string(next) + ".dll");
            machine.files.AddFileContents("C:\\app\\chain" + std::to_string(i) + ".dll",
                                          CImageBuilder(imports).Bytes());
        }
        CPlatform platform = machine.Get();
        std::size_t records = 0;
        double set = WalkOnce<CDependencyList>(platform, "C:\\app\\chain0.dll", &records);
        double linear = WalkOnce<CLinearDependencyList>(platform, "C:\\app\\chain0.dll", &records);
        std::printf("  %8zu %10.1f %10.2f %12.1f %12.2f %7.1fx\n", records, set * 1000, set * 1e6 / records,
                    linear * 1000, linear * 1e6 / records, linear / set);
    }
}

std::string System32Folder(int argc, char** argv)
{
    if (argc > 1)
        return argv[1];
    const char* given = std::getenv("TARNWICK_SYSTEM32");
    return given ? given : "";
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = System32Folder(argc, argv);
    std::vector<std::string> files = PeFiles(folder);
    if (files.empty()) {
        std::fprintf(stderr, "bench_dependencies: no PE files in '%s'; give a Wine prefix's system32 folder "
                             "as the argument or in TARNWICK_SYSTEM32\n", folder.c_str());
        return 1;
    }
    std::printf("PE files of %s\n", folder.c_str());
    ReaderAgainstObjdump(folder, files);

    CHostSystem32 system(folder, files);
    WalkEveryRoot(system, files);  // the files are in the page cache from here on
    CWalkFigures walk = WalkEveryRoot(system, files);
    double mapping = BestSeconds([&] { MapEachFile(folder, files); });
    std::printf("(b) full walk with each of the %zu files as a root: %zu records\n", files.size(), walk.records);
    std::printf("  CollectDependencies x %zu    %9.1f ms  %9.0f files opened/s (%lu opened)\n", files.size(),
                walk.seconds * 1000, walk.opened / walk.seconds, walk.opened);
    std::printf("  reference open and map only %9.1f ms  %9.0f files opened/s (each file once)\n", mapping * 1000,
                files.size() / mapping);

    CPlatform platform = system.Platform();
    std::string root = std::string(kSystem) + "\\" + walk.largestRoot;
    std::size_t records = 0;
    double set = WalkOnce<CDependencyList>(platform, root, &records);
    double linear = WalkOnce<CLinearDependencyList>(platform, root, &records);
    std::printf("(c) largest walk, from %s: %zu records\n", walk.largestRoot.c_str(), records);
    std::printf("  names in a set              %9.2f ms\n", set * 1000);
    std::printf("  reference linear search     %9.2f ms\n", linear * 1000);
    ChainScaling();
    return 0;
}
