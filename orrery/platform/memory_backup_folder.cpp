#include "orrery/platform/memory_backup_folder.h"

#include "orrery/platform/upper_case.h"

namespace orrery {

CMemoryBackupFolder::CMemoryBackupFolder()
    : m_location("C:\\Users\\Tester\\AppData\\Roaming\\Tarnwick\\Orrery\\Backups"), m_now()
{
    m_now.tm_year = 2024 - 1900;
    m_now.tm_mon = 2;
    m_now.tm_mday = 9;
    m_now.tm_hour = 14;
    m_now.tm_min = 5;
    m_now.tm_sec = 7;
}

BackupWriteResult CMemoryBackupFolder::WriteNewFile(const std::string& name, const std::string& bytes,
                                                    std::string* fullPath, std::string* reason)
{
    if (!m_failure.empty()) {
        *reason = m_failure;
        return BackupFailed;
    }
    std::string path = m_location + "\\" + name;
    for (const auto& file : m_files) {
        if (UpperCase(file.first) == UpperCase(path))
            return BackupNameTaken;
    }
    m_files[path] = bytes;
    *fullPath = path;
    return BackupWritten;
}

}  // namespace orrery
