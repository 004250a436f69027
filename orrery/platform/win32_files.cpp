// The file-system seam on Win32: FindFirstFileA on one exact path,
// SearchPathA, ExpandEnvironmentStringsA and the local-time conversion of
// file times.
#include "orrery/platform/win32_platform.h"

#include "orrery/platform/win32_local_time.h"

#include <windows.h>

namespace orrery {

namespace {

FileTime FromFiletime(const FILETIME& time)
{
    return (static_cast<FileTime>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

bool CWin32FileSystem::FindFile(const std::string& path, CFileEntry* entry)
{
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        return false;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    if (entry) {
        entry->longName = data.cFileName;
        entry->shortName = data.cAlternateFileName;
        entry->size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry->created = FromFiletime(data.ftCreationTime);
        entry->lastWritten = FromFiletime(data.ftLastWriteTime);
        entry->lastAccessed = FromFiletime(data.ftLastAccessTime);
        entry->isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    return true;
}

std::string CWin32FileSystem::SearchFile(const std::string& name)
{
    char found[MAX_PATH + 1];
    char* filePart = nullptr;
    DWORD length = SearchPathA(nullptr, name.c_str(), nullptr, MAX_PATH, found, &filePart);
    if (length == 0 || length >= MAX_PATH)
        return std::string();
    return std::string(found, length);
}

unsigned long CWin32FileSystem::Expand(const char* source, char* target,
                                       unsigned long targetSize)
{
    return ExpandEnvironmentStringsA(source, target, targetSize);
}

bool CWin32FileSystem::ToLocalTime(FileTime time, std::tm* local)
{
    FILETIME universal;
    universal.dwLowDateTime = static_cast<DWORD>(time & 0xffffffffu);
    universal.dwHighDateTime = static_cast<DWORD>(time >> 32);
    FILETIME localTime;
    SYSTEMTIME parts;
    if (time == 0 || !FileTimeToLocalFileTime(&universal, &localTime) ||
        !FileTimeToSystemTime(&localTime, &parts))
        return false;
    *local = TmFromSystemTime(parts);
    return true;
}

}  // namespace orrery
