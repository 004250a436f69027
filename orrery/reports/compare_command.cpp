#include "orrery/reports/compare_command.h"

#include "orrery/app/program_state.h"
#include "orrery/reports/compare_dlg.h"
#include "orrery/reports/file_compare.h"
#include "orrery/reports/server_file_commands.h"

#include <commctrl.h>

void CompareWithObject(orrery::CComObject& record, HWND owner)
{
    CCompareDlg dialog(orrery::ComparedFileOf(Machine(), record));
    dialog.DoModal(owner);
}

void RunCompareOperation(const std::string& path)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    std::string file = orrery::PathFromCommandLine(path);
    orrery::CFileEntry entry;
    if (file.empty() || !Machine().files.FindFile(file, &entry) || entry.isDirectory) {
        ShowFileNotFound(nullptr, file.empty() ? path : file);
        return;
    }
    CCompareDlg dialog(file);
    dialog.DoModal(nullptr);
}
