// The backup seam on Win32: a folder below the user's application data
// (%APPDATA%\Tarnwick\Orrery\Backups), or one given by the caller.
#pragma once

#include "orrery/platform/backup_folder.h"

namespace orrery {

class CWin32BackupFolder : public CBackupFolder {
public:
    // The Backups folder of the user's application data.
    CWin32BackupFolder();
    // Backups go to folder instead.
    explicit CWin32BackupFolder(const std::string& folder);

    std::string Location() override;
    BackupWriteResult WriteNewFile(const std::string& name, const std::string& bytes,
                                   std::string* fullPath, std::string* reason) override;
    std::tm LocalNow() override;

private:
    std::string m_folder;  // empty when the profile has no application data folder
};

}  // namespace orrery
