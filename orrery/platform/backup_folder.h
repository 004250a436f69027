// The backup seam: the folder of the user's profile where registry backups
// are kept, and writing one new file there.
//
// A write either leaves a complete file or none: a file that could not be
// written whole (a full disk, a folder that cannot be made) is removed again
// and the reason given in words.
#pragma once

#include <ctime>
#include <string>

namespace orrery {

// WriteNewFile's results besides success.
enum BackupWriteResult {
    BackupWritten = 0,
    BackupNameTaken = 1,  // a file of that name is already there; nothing written
    BackupFailed = 2,     // nothing written; the reason is given
};

class CBackupFolder {
public:
    virtual ~CBackupFolder() {}

    // The folder's full path, for messages (it may not exist yet).
    virtual std::string Location() = 0;

    // Writes bytes to a new file called name in the folder, making the folder
    // and its parents when they are missing. On success *fullPath is the
    // file's path; on failure *reason says why in words.
    virtual BackupWriteResult WriteNewFile(const std::string& name, const std::string& bytes,
                                           std::string* fullPath, std::string* reason) = 0;

    // The local time now, for the names of the files.
    virtual std::tm LocalNow() = 0;
};

}  // namespace orrery
