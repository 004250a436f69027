// An in-memory file system for tests and benchmarks.
//
// Paths are matched whole and ignoring case, as the Win32 file calls do.
// Environment variables are expanded the way ExpandEnvironmentStringsA does
// (unknown variables stay as written), the system search looks through a list
// of directories, and local time is UTC so that time texts are predictable.
// Files given contents can be opened as views; a file can be made to refuse
// opening, as one the user may not read does.
#pragma once

#include "orrery/platform/file_views.h"
#include "orrery/platform/files.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orrery {

class CMemoryFileSystem : public CFileSystem, public CFileViews {
public:
    // Adds a file; an empty longName in entry is taken from the path.
    void AddFile(const std::string& path, const CFileEntry& entry);
    void AddFile(const std::string& path, std::uint64_t size = 0);
    // Adds a file with these bytes as its contents (and its size).
    void AddFileContents(const std::string& path, const std::vector<unsigned char>& bytes);
    void RemoveFile(const std::string& path);
    // The file stays visible but can no longer be opened.
    void RefuseOpening(const std::string& path);
    void SetVariable(const std::string& name, const std::string& value);
    void AddSearchDirectory(const std::string& directory);

    unsigned long FindCount() const { return m_findCount; }
    // How often a view of this file was opened.
    unsigned long OpenCount(const std::string& path) const;

    bool FindFile(const std::string& path, CFileEntry* entry) override;
    std::string SearchFile(const std::string& name) override;
    unsigned long Expand(const char* source, char* target,
                         unsigned long targetSize) override;
    bool ToLocalTime(FileTime time, std::tm* local) override;

    std::unique_ptr<CFileView> OpenView(const std::string& path) override;

private:
    typedef std::shared_ptr<const std::vector<unsigned char>> Contents;

    std::string ExpandText(const std::string& source) const;

    std::map<std::string, CFileEntry> m_files;      // by upper-cased path
    std::map<std::string, Contents> m_contents;     // by upper-cased path
    std::map<std::string, unsigned long> m_opens;   // by upper-cased path
    std::set<std::string> m_refused;                // upper-cased paths
    std::map<std::string, std::string> m_variables; // by upper-cased name
    std::vector<std::string> m_searchDirectories;
    unsigned long m_findCount = 0;
};

// Builds a FileTime from a UTC calendar time (for set-up and tests).
FileTime MakeFileTime(int year, int month, int day, int hour, int minute,
                      int second);

}  // namespace orrery
