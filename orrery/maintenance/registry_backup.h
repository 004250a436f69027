// The backup written before a removal deletes anything: the keys about to
// go, in a registration file of their own in the user's backups folder,
// named after the class and the time: "<label>-<yyyymmdd>-<hhmmss>.reg"
// ("-2", "-3", ... before ".reg" when that name is taken).
#pragma once

#include "orrery/platform/backup_folder.h"
#include "orrery/platform/registry.h"

#include <ctime>
#include <string>
#include <vector>

namespace orrery {

// The name of the file for label at time now; attempt 1 is the plain name,
// later attempts carry "-<attempt>".
std::string BackupFileName(const std::string& label, const std::tm& now, int attempt);

// Writes every key of keyPaths (paths below HKEY_CLASSES_ROOT) with all its
// subkeys and values to a new backup file. True with the file's path in
// *path; false, with nothing written, with the reason in *reason.
bool WriteRegistryBackup(CRegistry& registry, CBackupFolder& folder, const std::string& label,
                         const std::vector<std::string>& keyPaths, std::string* path,
                         std::string* reason);

}  // namespace orrery
