#include "orrery/platform/win32_backup_folder.h"

#include "orrery/platform/system_error.h"
#include "orrery/platform/win32_local_time.h"

#include <windows.h>
#include <shlobj.h>

namespace orrery {

namespace {

const char kBackupsBelowAppData[] = "\\Tarnwick\\Orrery\\Backups";

std::string SystemText(DWORD code)
{
    std::string text = SystemMessage(code);
    return text.empty() ? "Windows error " + std::to_string(code) + "." : text;
}

// Makes folder and every missing folder above it.
bool MakeFolders(const std::string& folder, std::string* reason)
{
    DWORD attributes = ::GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return true;
        *reason = folder + " is a file, not a folder.";
        return false;
    }
    size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 2 && !MakeFolders(folder.substr(0, slash), reason))
        return false;
    if (::CreateDirectoryA(folder.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    *reason = "The folder " + folder + " could not be made: " + SystemText(::GetLastError());
    return false;
}

}  // namespace

CWin32BackupFolder::CWin32BackupFolder()
{
    char appData[MAX_PATH] = "";
    if (SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, appData)) &&
        appData[0])
        m_folder = std::string(appData) + kBackupsBelowAppData;
}

CWin32BackupFolder::CWin32BackupFolder(const std::string& folder) : m_folder(folder) {}

std::string CWin32BackupFolder::Location()
{
    return m_folder;
}

BackupWriteResult CWin32BackupFolder::WriteNewFile(const std::string& name, const std::string& bytes,
                                                   std::string* fullPath, std::string* reason)
{
    if (m_folder.empty()) {
        *reason = "The user profile has no application data folder to keep backups in.";
        return BackupFailed;
    }
    if (!MakeFolders(m_folder, reason))
        return BackupFailed;
    std::string path = m_folder + "\\" + name;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
            return BackupNameTaken;
        *reason = path + " could not be created: " + SystemText(error);
        return BackupFailed;
    }
    DWORD written = 0;
    BOOL wrote = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD error = wrote ? ERROR_DISK_FULL : ::GetLastError();
    bool complete = wrote && written == bytes.size();
    if (complete && !::FlushFileBuffers(file)) {
        complete = false;
        error = ::GetLastError();
    }
    ::CloseHandle(file);
    if (!complete) {
        ::DeleteFileA(path.c_str());
        *reason = path + " could not be written: " + SystemText(error);
        return BackupFailed;
    }
    *fullPath = path;
    return BackupWritten;
}

std::tm CWin32BackupFolder::LocalNow()
{
    return LocalTimeNow();
}

}  // namespace orrery
