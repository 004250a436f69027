#include "orrery/platform/memory_backup_folder.h"

#include "orrery/platform/calendar_time.h"
#include "orrery/platform/upper_case.h"

namespace orrery {

CMemoryBackupFolder::CMemoryBackupFolder()
    : m_location("C:\\Users\\Tester\\AppData\\Roaming\\Tarnwick\\Orrery\\Backups"),
      m_now(CalendarTime(2024, 3, 9, 14, 5, 7))
{
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
