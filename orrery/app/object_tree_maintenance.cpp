// The object tree's maintenance commands: Register Control/DLL, Unregister
// Control/DLL and Remove from Registry (also the Delete key).
#include "orrery/app/object_tree.h"

#include "orrery/app/maintenance_windows.h"
#include "orrery/framework/file_dialog.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/win_app.h"

namespace {

const char kRegisterTitle[] = "Register ActiveX Control or DLL Server";
const char kServerFilter[] = "OCX or DLL Files(*.OCX,*.DLL)\0*.OCX;*.DLL\0";

} // namespace

void CObjectTree::OnRegister()
{
    CWinApp* app = CWinApp::Get();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : ::GetAncestor(m_hWnd, GA_ROOT);
    std::string path = AskForExistingFile(owner, kRegisterTitle, kServerFilter);
    if (path.empty())
        return;
    if (RegisterServerFile(path, false))
        RefreshCatalogue(true, nullptr);
}

void CObjectTree::OnUnregister()
{
    if (orrery::CComObject* record = GetSelectedRecord()) {
        orrery::CMaintenance maintenance = ProgramMaintenance();
        if (record->Unregister(maintenance))
            RemoveSelectedRecord();
    }
    ReselectCaretItem();
    RefocusTree();
}

void CObjectTree::OnRemoveFromRegistry()
{
    orrery::CComObject* record = GetSelectedRecord();
    if (record) {
        orrery::CMaintenance maintenance = ProgramMaintenance();
        bool exeServer = CurrentTab() == orrery::CategoryExeServers;
        std::string report;
        if ((!record->IsFound() || maintenance.ConfirmRemoval(*record, exeServer)) &&
            record->RemoveFromRegistry(maintenance, &report))
            RemoveSelectedRecord();
    }
    ReselectCaretItem();
    RefocusTree();
}
