// The file-system seam: the few file calls the catalogue makes.
//
// FindFile stands for FindFirstFileA/FindClose on one exact path: it reports
// the entry's long and short names, size and times. SearchFile is SearchPathA
// with no search path and no extension into a 260-byte buffer. Expand is
// ExpandEnvironmentStringsA with its exact size contract.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace orrery {

// A file time as Windows keeps it: 100-nanosecond intervals since 1601-01-01 UTC.
typedef std::uint64_t FileTime;

struct CFileEntry {
    std::string longName;   // cFileName: the name part only
    std::string shortName;  // cAlternateFileName: empty when the long name is already 8.3
    std::uint64_t size = 0;
    FileTime created = 0;
    FileTime lastWritten = 0;
    FileTime lastAccessed = 0;
    bool isDirectory = false;
};

class CFileSystem {
public:
    virtual ~CFileSystem() {}

    // Looks up exactly this path. Wildcards never match: a path holding '*'
    // or '?' is reported as not found.
    virtual bool FindFile(const std::string& path, CFileEntry* entry) = 0;

    // The full path the system search finds for a file name, or empty text.
    virtual std::string SearchFile(const std::string& name) = 0;

    // ExpandEnvironmentStringsA(source, target, targetSize): returns the size
    // the expansion needs, terminating zero included, or 0 on failure. The
    // target holds the expansion only when that size is at most targetSize.
    virtual unsigned long Expand(const char* source, char* target,
                                 unsigned long targetSize) = 0;

    // Converts a file time to broken-down local time; false when it cannot.
    virtual bool ToLocalTime(FileTime time, std::tm* local) = 0;
};

}  // namespace orrery
