// An in-memory backup folder for tests: files kept by name, and failures to
// order (a full disk, a folder that cannot be made) with a fixed clock.
#pragma once

#include "orrery/platform/backup_folder.h"

#include <map>
#include <string>

namespace orrery {

class CMemoryBackupFolder : public CBackupFolder {
public:
    CMemoryBackupFolder();

    // Every write fails from now on with this reason ("" writes again).
    void FailWrites(const std::string& reason) { m_failure = reason; }
    void SetNow(const std::tm& now) { m_now = now; }
    void SetLocation(const std::string& location) { m_location = location; }

    // Written files by full path.
    const std::map<std::string, std::string>& Files() const { return m_files; }

    std::string Location() override { return m_location; }
    BackupWriteResult WriteNewFile(const std::string& name, const std::string& bytes,
                                   std::string* fullPath, std::string* reason) override;
    std::tm LocalNow() override { return m_now; }

private:
    std::string m_location;
    std::string m_failure;
    std::tm m_now;
    std::map<std::string, std::string> m_files;
};

}  // namespace orrery
