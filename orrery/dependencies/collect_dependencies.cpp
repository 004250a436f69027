// The walk is a depth-first search over the import graph in which the list
// itself marks what has been seen: a name already in it is skipped, so every
// DLL name is resolved and opened at most once and the walk ends even when
// DLLs import each other. It keeps its own stack instead of recursing, one
// entry per file being walked with the names it imports and how far it has
// got, so a long chain of DLLs cannot exhaust the thread's stack, and a file
// is unmapped as soon as its names are read.
//
// A DLL is looked for first in the importing file's own directory, then by
// the system's search (the program's directory, the current directory, the
// system directories, the Windows directory, PATH). Paths are limited to
// MAX_PATH: a candidate in the importer's directory that does not fit is
// not looked at and the system search decides, as the system itself can
// neither find nor open it; a DLL that the search cannot fit in MAX_PATH is
// listed as missing.
#include "orrery/dependencies/collect_dependencies.h"

#include "orrery/catalogue/server_path.h"
#include "orrery/dependencies/pe_imports.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace orrery {

namespace {

// MAX_PATH: the characters of a path with its terminating zero.
const std::size_t kMaxPath = 260;

// A file whose imports are being walked.
struct CImporter {
    std::string directory;           // where its own DLLs are looked for first
    std::vector<std::string> names;  // its imports, in table order
    std::size_t next = 0;            // the first name not yet taken
};

// Reads the imported names of a file. False when it cannot be opened.
bool ReadImporter(CPlatform& platform, const std::string& path, CImporter* importer)
{
    std::unique_ptr<CFileView> view = platform.views.OpenView(path);
    if (!view)
        return false;
    // Windows takes '/' as a separator too; a bare file name lives in the
    // current directory, which an empty directory stands for.
    size_t slash = path.find_last_of("\\/");
    importer->directory = slash == std::string::npos ? std::string() : path.substr(0, slash);
    ReadImportedDllNames(view->Bytes(), &importer->names);
    return true;
}

std::string ResolveDll(CFileSystem& files, const std::string& directory, const std::string& name)
{
    std::string candidate = directory.empty() ? name : directory + "\\" + name;
    if (candidate.size() < kMaxPath && IsFile(files, candidate))
        return candidate;
    std::string searched = files.SearchFile(name);
    return searched.size() < kMaxPath ? searched : std::string();
}

std::unique_ptr<CComFile> MakeRecord(CPlatform& platform, const std::string& name,
                                     const std::string& path)
{
    std::unique_ptr<CComFile> record(new CComFile(platform));
    record->SetDisplayName(name);
    record->SetPath(ExpandEnvironment(platform.files, path));
    record->SetFound(!record->GetFilePath().empty());
    return record;
}

}  // namespace

bool CollectDependencies(CPlatform& platform, const std::string& filePath, CDependencyList& list)
{
    std::vector<CImporter> stack(1);
    if (!ReadImporter(platform, filePath, &stack.back()))
        return false;
    while (!stack.empty()) {
        CImporter& importer = stack.back();
        if (importer.next == importer.names.size()) {
            stack.pop_back();
            continue;
        }
        const std::string& name = importer.names[importer.next++];
        if (list.Contains(name))
            continue;
        std::unique_ptr<CComFile> record =
            MakeRecord(platform, name, ResolveDll(platform.files, importer.directory, name));
        std::string path = record->IsFound() ? record->GetFilePath() : std::string();
        list.Append(std::move(record));
        CImporter dependency;
        if (!path.empty() && ReadImporter(platform, path, &dependency))
            stack.push_back(std::move(dependency));
    }
    return true;
}

std::vector<std::string> MissingDllNames(CPlatform& platform, const std::string& filePath)
{
    CDependencyList list;
    std::vector<std::string> names;
    if (!CollectDependencies(platform, filePath, list))
        return names;
    for (std::size_t index = 0; index < list.size(); ++index) {
        if (!list[index].IsFound())
            names.push_back(list[index].GetDisplayName());
    }
    return names;
}

}  // namespace orrery
