// CMaintenance: the operations that change the machine, over one set of
// seams: registering and unregistering server files, unregistering a
// catalogue record's server, removing a record's class from the registry and
// deleting a registry tree. It talks to the user through a CMaintenanceUI.
// It holds only references; make one where it is needed.
#pragma once

#include "orrery/catalogue/com_object.h"
#include "orrery/catalogue/record_maintenance.h"
#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/maintenance/self_registration.h"
#include "orrery/platform/backup_folder.h"
#include "orrery/platform/modules.h"
#include "orrery/platform/registry.h"

#include <string>
#include <utility>

namespace orrery {

class CMaintenance : public CRecordMaintenance {
public:
    CMaintenance(CRegistry& registry, CModules& modules, CBackupFolder& backups, CMaintenanceUI& ui);

    // Show the removal report after a successful removal (the ConfirmRemove
    // option); on by default.
    void SetConfirmRemove(bool confirm) { m_confirmRemove = confirm; }
    // Names the missing DLLs of a server that could not be loaded; none by
    // default.
    void SetMissingDllReader(MissingDllReader reader) { m_missingDlls = std::move(reader); }

    // See self_registration.h.
    bool RegisterServerFile(const std::string& path, bool releaseNow);
    bool UnregisterServerFile(const std::string& path);
    // See registry_tree.h.
    long DeleteRegistryTree(RegKey parent, const std::string& subkey);

    // The record's server's DllUnregisterServer; the unregistration dialog on
    // success.
    bool Unregister(CComObject& record) override;
    // The record's class keys (removal.h), named in the report.
    bool RemoveFromRegistry(CComObject& record, const std::string& appId, std::string* report) override;

    // The question before a well behaved record is removed; true for Yes.
    bool ConfirmRemoval(CComObject& record, bool exeServer);

private:
    CRegistry& m_registry;
    CModules& m_modules;
    CBackupFolder& m_backups;
    CMaintenanceUI& m_ui;
    bool m_confirmRemove = true;
    MissingDllReader m_missingDlls;
};

}  // namespace orrery
