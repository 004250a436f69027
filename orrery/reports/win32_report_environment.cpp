#include "orrery/reports/win32_report_environment.h"

#include "orrery/platform/win32_local_time.h"
#include "orrery/reports/report_dependencies.h"

#include <windows.h>

namespace orrery {

const char kReportPictureResource[] = "ORRERY_JPG";

namespace {

const char kPictureName[] = "orrery.jpg";

// A directory without its closing backslash ("C:\" stays "C:").
std::string WithoutClosingBackslash(std::string directory)
{
    if (!directory.empty() && directory.back() == '\\')
        directory.pop_back();
    return directory;
}

bool WritePictureFile(const std::string& path, const void* bytes, DWORD size)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_EXISTS;
    DWORD written = 0;
    bool complete = ::WriteFile(file, bytes, size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    if (!complete)
        ::DeleteFileA(path.c_str());
    return complete;
}

}  // namespace

bool PlaceReportPicture(const std::string& directory)
{
    std::string path = directory + "\\" + kPictureName;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    HRSRC resource = ::FindResourceA(nullptr, kReportPictureResource, RT_RCDATA);
    HGLOBAL loaded = resource ? ::LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    return WritePictureFile(path, bytes, ::SizeofResource(nullptr, resource));
}

std::string CWin32ReportEnvironment::ComputerName()
{
    char name[512] = "";
    DWORD size = 511;
    if (!::GetComputerNameA(name, &size))
        return std::string();
    return name;
}

std::tm CWin32ReportEnvironment::Today()
{
    return LocalTimeNow();
}

std::string CWin32ReportEnvironment::PictureDirectory()
{
    char current[MAX_PATH + 1] = "";
    DWORD length = ::GetCurrentDirectoryA(MAX_PATH, current);
    std::string directory = length && length <= MAX_PATH ? WithoutClosingBackslash(current) : std::string();
    if (!directory.empty() && PlaceReportPicture(directory))
        return directory;
    char temporary[MAX_PATH + 1] = "";
    length = ::GetTempPathA(MAX_PATH, temporary);
    std::string fallback = length && length <= MAX_PATH ? WithoutClosingBackslash(temporary) : std::string();
    if (!fallback.empty() && PlaceReportPicture(fallback))
        return fallback;
    return directory;
}

bool CWin32ReportEnvironment::CollectDependencies(const std::string& path, std::vector<CDependencyLine>* lines)
{
    return CollectDependencyLines(m_platform, path, lines);
}

}  // namespace orrery
