// The lookup behind the command line: which registered class does this file
// serve? Every class is tried in enumeration order, ProgID or not; a record
// matches when its path equals the file's ignoring case, or when both files
// exist and have the same long and short names. An empty path names no file
// and matches nothing, not the first class that has no server value.
#include "orrery/catalogue/catalogue.h"

#include "orrery/catalogue/classify.h"
#include "orrery/catalogue/registry_text.h"

#include <cctype>

namespace orrery {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::unique_ptr<CComObject> BuildRecord(CPlatform& platform, RegKey clsidKey, const std::string& clsid)
{
    if (HasControl(platform.registry, clsidKey, clsid))
        return std::make_unique<CComControl>(platform, clsid);
    if (IsDllServer(platform.registry, clsidKey, clsid))
        return std::make_unique<CDllServer>(platform, clsid);
    if (HasLocalServer32(platform.registry, clsidKey, clsid))
        return std::make_unique<CExeServer>(platform, clsid);
    return nullptr;
}

// The record's server file is compared, so that a server started with
// arguments is matched by its file.
bool ServesFile(CPlatform& platform, const CComObject& record,
                const std::string& path, bool pathFound, const CFileEntry& pathEntry)
{
    if (EqualIgnoringCase(record.GetFilePath(), path))
        return true;
    CFileEntry entry;
    if (!pathFound || !platform.files.FindFile(record.GetServerFile(), &entry))
        return false;
    return entry.longName == pathEntry.longName && entry.shortName == pathEntry.shortName;
}

}  // namespace

std::unique_ptr<CComObject> FindObjectByFile(CPlatform& platform, const std::string& path,
                                             const std::function<void()>& searchStarted)
{
    CKeyGuard classes(platform.registry);
    if (path.empty() || classes.Open(kClassesRoot, "CLSID") != kRegSuccess)
        return nullptr;
    RegKey clsidKey = classes.Get();
    if (searchStarted)
        searchStarted();
    CFileEntry pathEntry;
    bool pathFound = platform.files.FindFile(path, &pathEntry);
    for (const std::string& clsid : ListSubkeyNames(platform.registry, clsidKey)) {
        std::unique_ptr<CComObject> record = BuildRecord(platform, clsidKey, clsid);
        if (record && ServesFile(platform, *record, path, pathFound, pathEntry))
            return record;
    }
    return nullptr;
}

}  // namespace orrery
