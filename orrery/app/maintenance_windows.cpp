#include "orrery/app/maintenance_windows.h"

#include "orrery/app/message_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/app/unregistered_dlg.h"
#include "orrery/dependencies/collect_dependencies.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/win_app.h"
#include "orrery/platform/win32_backup_folder.h"
#include "orrery/platform/win32_modules.h"

namespace {

orrery::CModules* g_modules = nullptr;
orrery::CBackupFolder* g_backups = nullptr;

HWND MainWindow()
{
    CWinApp* app = CWinApp::Get();
    return app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
}

CWindowsMaintenanceUI& WindowsUI()
{
    static CWindowsMaintenanceUI ui;
    return ui;
}

} // namespace

void CWindowsMaintenanceUI::BeginWait()
{
    m_previousCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
}

void CWindowsMaintenanceUI::EndWait()
{
    ::SetCursor(m_previousCursor ? m_previousCursor : ::LoadCursorA(nullptr, IDC_ARROW));
}

void CWindowsMaintenanceUI::ShowMessage(const std::string& text)
{
    ::ShowMessage(text);
}

void CWindowsMaintenanceUI::ShowError(const std::string& text)
{
    ::MessageBoxA(MainWindow(), text.c_str(), "Orrery", MB_OK | MB_ICONERROR);
}

// Every question asks before a change to the machine (keys deleted, a
// server registered): No is the default button, so Enter alone changes
// nothing.
bool CWindowsMaintenanceUI::AskYesNo(const std::string& caption, const std::string& text)
{
    return ::MessageBoxA(nullptr, text.c_str(), caption.c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2 | MB_TASKMODAL) == IDYES;
}

void CWindowsMaintenanceUI::ShowUnregistered(const std::string& name, const std::string& path)
{
    CUnregisteredDlg dialog(name, path);
    dialog.DoModal(MainWindow());
}

orrery::CModules& Modules()
{
    static orrery::CWin32Modules live;
    return g_modules ? *g_modules : live;
}

orrery::CBackupFolder& Backups()
{
    static orrery::CWin32BackupFolder live;
    return g_backups ? *g_backups : live;
}

void UseMaintenanceMachine(orrery::CModules* modules, orrery::CBackupFolder* backups)
{
    g_modules = modules;
    g_backups = backups;
}

orrery::CMaintenance ProgramMaintenance()
{
    orrery::CMaintenance maintenance(Machine().registry, Modules(), Backups(), WindowsUI());
    maintenance.SetConfirmRemove(Options().ConfirmRemove);
    maintenance.SetMissingDllReader([](const std::string& path) { return orrery::MissingDllNames(Machine(), path); });
    return maintenance;
}

bool RegisterServerFile(const std::string& path, bool releaseNow)
{
    return ProgramMaintenance().RegisterServerFile(path, releaseNow);
}

bool UnregisterServerFile(const std::string& path)
{
    return ProgramMaintenance().UnregisterServerFile(path);
}

long DeleteRegistryTree(orrery::RegKey parent, const std::string& subkey)
{
    return ProgramMaintenance().DeleteRegistryTree(parent, subkey);
}
