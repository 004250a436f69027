// Removing a class from the registry: its ProgID, TypeLib and class keys
// and, for an EXE server, its AppID key when the user agrees.
//
// Only keys that can be told to belong to the class are deleted: a ProgID
// key that is a plain key name and whose CLSID value names this class; a
// TypeLib key named by a GUID in braces that no other class names; the class
// and AppID keys when their names are GUIDs in braces. Before anything is
// deleted, every key about to go is written to a backup file; without a
// backup nothing is deleted. A user who may not change the keys is told so
// and nothing is deleted. The report lists each key the class names in the
// order ProgID, TypeLib, CLSID, AppID: a deleted key by its name alone, any
// other with a note saying why it is still there.
#pragma once

#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/backup_folder.h"
#include "orrery/platform/registry.h"

#include <string>

namespace orrery {

// The line above the report's key lines: 42 hyphens and a line feed.
extern const char kReportRule[];

struct CRemovalRequest {
    std::string name;     // how the user knows the class (its GetProgID)
    std::string clsid;    // the class key's name below CLSID
    std::string progId;   // the class's raw ProgID value
    std::string typeLib;  // the class's raw TypeLib value
    std::string appId;    // the AppID value offered for removal, or ""
};

// Removes the class's keys as described above; asks the AppID question when
// an AppID is offered. With confirmRemove the report is shown after a
// successful removal; a removal that leaves the class key in place is always
// reported. Replaces *report with the report; true when the class key is
// gone afterwards.
bool RemoveClassKeys(CRegistry& registry, CBackupFolder& backups, CMaintenanceUI& ui,
                     const CRemovalRequest& request, bool confirmRemove, std::string* report);

// Asks before a well behaved object is removed ("Confirm Registry
// Removal"), with the advice that fits its category; true for Yes.
bool ConfirmRegistryRemoval(CMaintenanceUI& ui, const std::string& name, bool exeServer);

}  // namespace orrery
