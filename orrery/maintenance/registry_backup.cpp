#include "orrery/maintenance/registry_backup.h"

#include "orrery/maintenance/key_names.h"
#include "orrery/maintenance/reg_file.h"

#include <cstdio>

namespace orrery {

namespace {

const size_t kLabelLength = 100;
const int kNameAttempts = 100;

}  // namespace

std::string BackupFileName(const std::string& label, const std::tm& now, int attempt)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d", now.tm_year + 1900, now.tm_mon + 1,
                  now.tm_mday, now.tm_hour, now.tm_min, now.tm_sec);
    std::string name = FileNamePart(label, kLabelLength) + stamp;
    if (attempt > 1)
        name += "-" + std::to_string(attempt);
    return name + ".reg";
}

bool WriteRegistryBackup(CRegistry& registry, CBackupFolder& folder, const std::string& label,
                         const std::vector<std::string>& keyPaths, std::string* path,
                         std::string* reason)
{
    std::string content = kRegFileHeader;
    for (const std::string& keyPath : keyPaths) {
        if (!AppendKeyTree(registry, keyPath, &content, reason))
            return false;
    }
    content += "\r\n";
    std::tm now = folder.LocalNow();
    for (int attempt = 1; attempt <= kNameAttempts; ++attempt) {
        BackupWriteResult result = folder.WriteNewFile(BackupFileName(label, now, attempt), content, path, reason);
        if (result == BackupWritten)
            return true;
        if (result == BackupFailed)
            return false;
    }
    *reason = "every backup file name for " + label + " at this time is already taken in " + folder.Location();
    return false;
}

}  // namespace orrery
