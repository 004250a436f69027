// The maintenance operations as the program runs them: over the program's
// machine (Machine() for the registry, the live modules and the user's
// backups folder unless a test hands in others), talking to the user with
// real windows: the wait cursor, CMessageDlg, message boxes and
// CUnregisteredDlg. Start-up and the command handlers call these.
#ifndef ORRERY_APP_MAINTENANCE_WINDOWS_H
#define ORRERY_APP_MAINTENANCE_WINDOWS_H

#include "orrery/maintenance/maintenance.h"
#include "orrery/maintenance/maintenance_ui.h"

#include <windows.h>

#include <string>

class CWindowsMaintenanceUI : public orrery::CMaintenanceUI {
public:
    void BeginWait() override;
    void EndWait() override;
    // CMessageDlg over the main window (ShowMessage).
    void ShowMessage(const std::string& text) override;
    // An error box titled "Orrery" over the main window.
    void ShowError(const std::string& text) override;
    // A question box without an owner window; the program's windows wait for it.
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    // CUnregisteredDlg over the main window.
    void ShowUnregistered(const std::string& name, const std::string& path) override;

private:
    HCURSOR m_previousCursor = nullptr;
};

orrery::CModules& Modules();
orrery::CBackupFolder& Backups();
// Makes the operations load modules and keep backups elsewhere; null returns
// to the live modules or the user's backups folder.
void UseMaintenanceMachine(orrery::CModules* modules, orrery::CBackupFolder* backups);

// The operations over the program's machine and windows, with the
// ConfirmRemove option as it is now.
orrery::CMaintenance ProgramMaintenance();

// RegisterServerFile / UnregisterServerFile of the maintenance operations on
// the program's machine; their messages have the main window as owner, or
// none when there is no main window (a command-line start).
bool RegisterServerFile(const std::string& path, bool releaseNow);
bool UnregisterServerFile(const std::string& path);
// DeleteRegistryTree on the program's registry; see registry_tree.h.
long DeleteRegistryTree(orrery::RegKey parent, const std::string& subkey);

#endif
