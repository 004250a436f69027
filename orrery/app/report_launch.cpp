#include "orrery/app/report_launch.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/help.h"
#include "orrery/app/object_tree.h"
#include "orrery/app/program_state.h"
#include "orrery/app/shell.h"
#include "orrery/reports/report_dlg.h"
#include "orrery/platform/system_error.h"
#include "orrery/reports/win32_report_environment.h"
#include "orrery/reports/win32_report_files.h"

namespace {

// The report opens maximized in the program the shell associates with it.
bool OpenWithShell(HWND owner, const std::string& path, std::string* reason)
{
    DWORD error = 0;
    if (Shell().Open(owner, path, SW_SHOWMAXIMIZED, &error))
        return true;
    *reason = orrery::SystemErrorText(error);
    return false;
}

} // namespace

std::vector<orrery::CComObject*> ShownRecords(const CObjectTree& tree)
{
    std::vector<orrery::CComObject*> records;
    HWND control = tree.GetTree();
    HTREEITEM root = TreeView_GetRoot(control);
    for (HTREEITEM item = root ? TreeView_GetChild(control, root) : nullptr; item;
         item = TreeView_GetNextSibling(control, item)) {
        if (auto record = reinterpret_cast<orrery::CComObject*>(controls::TreeItemData(control, item)))
            records.push_back(record);
    }
    return records;
}

void RunReportDialog(CObjectTree& tree, HWND owner)
{
    orrery::CWin32ReportEnvironment environment(Machine());
    orrery::CWin32ReportFiles files;
    CReportDlg dialog(ShownRecords(tree), tree.CurrentTabText(), environment, files);
    dialog.openReport = OpenWithShell;
    dialog.showHelp = [owner] { ShowHelp(owner, HelpReport); };
    dialog.DoModal(owner);
}
