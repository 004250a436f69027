// An in-memory file system for tests and benchmarks.
//
// Paths are matched whole and ignoring case, as the Win32 file calls do.
// Environment variables are expanded the way ExpandEnvironmentStringsA does
// (unknown variables stay as written), the system search looks through a list
// of directories, and local time is UTC so that time texts are predictable.
#pragma once

#include "orrery/platform/files.h"

#include <map>
#include <string>
#include <vector>

namespace orrery {

class CMemoryFileSystem : public CFileSystem {
public:
    // Adds a file; an empty longName in entry is taken from the path.
    void AddFile(const std::string& path, const CFileEntry& entry);
    void AddFile(const std::string& path, std::uint64_t size = 0);
    void RemoveFile(const std::string& path);
    void SetVariable(const std::string& name, const std::string& value);
    void AddSearchDirectory(const std::string& directory);

    unsigned long FindCount() const { return m_findCount; }

    bool FindFile(const std::string& path, CFileEntry* entry) override;
    std::string SearchFile(const std::string& name) override;
    unsigned long Expand(const char* source, char* target,
                         unsigned long targetSize) override;
    bool ToLocalTime(FileTime time, std::tm* local) override;

private:
    std::string ExpandText(const std::string& source) const;

    std::map<std::string, CFileEntry> m_files;      // by upper-cased path
    std::map<std::string, std::string> m_variables; // by upper-cased name
    std::vector<std::string> m_searchDirectories;
    unsigned long m_findCount = 0;
};

// Builds a FileTime from a UTC calendar time (for set-up and tests).
FileTime MakeFileTime(int year, int month, int day, int hour, int minute,
                      int second);

}  // namespace orrery
