#include "orrery/reports/compare_dlg.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/help.h"
#include "orrery/app/program_state.h"
#include "orrery/framework/file_dialog.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

namespace {

const int kBitmaps[] = {IDB_FILE_ROW, IDB_VERSION_ROW, IDB_WARNING_ROW};

// The image of a row: equal file data, an equal version string, or a difference.
int ImageOf(orrery::CompareRowKind kind)
{
    if (kind == orrery::CompareRowKind::SameFileData)
        return 0;
    return kind == orrery::CompareRowKind::SameVersion ? 1 : 2;
}
const char kFilter[] = "COM Files(*.OCX,*.DLL, *.EXE)\0*.OCX;*.DLL;*.EXE\0";

} // namespace

CCompareDlg::CCompareDlg(const std::string& firstFile) : CDialog(IDD_COMPARE), m_firstFile(firstFile) {}

CCompareDlg::~CCompareDlg()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

bool CCompareDlg::OnInitDialog()
{
    HWND list = GetDlgItem(IDC_COMPARE_LIST);
    if (!m_images)
        m_images = controls::CreateImageList(kBitmaps, 3);
    ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images));
    int width = controls::WindowWidth(list);
    controls::InsertColumn(list, 0, "Attribute", static_cast<int>(0.25 * width));
    controls::InsertColumn(list, 1, "File 1", static_cast<int>(0.35 * width));
    controls::InsertColumn(list, 2, "File 2", static_cast<int>(0.35 * width));
    ::SetDlgItemTextA(m_hWnd, IDC_COMPARE_FIRST_FILE, m_firstFile.c_str());
    ::SetFocus(GetDlgItem(IDC_COMPARE_SECOND_FILE));
    return false;
}

bool CCompareDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (code != BN_CLICKED)
        return CDialog::OnCommand(id, code, control);
    switch (id) {
    case IDC_COMPARE_BROWSE:
        OnBrowse();
        return true;
    case IDC_COMPARE_HELP:
        OnHelp();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

void CCompareDlg::OnBrowse()
{
    std::string chosen = ChooseComparedFile(m_hWnd);
    if (!chosen.empty())
        CompareWith(chosen);
}

void CCompareDlg::CompareWith(const std::string& secondFile)
{
    ::SetDlgItemTextA(m_hWnd, IDC_COMPARE_SECOND_FILE, secondFile.c_str());
    orrery::CFileComparison comparison = orrery::CompareFiles(Machine(), m_firstFile, secondFile);
    ShowRows(comparison);
    ::SetDlgItemTextA(m_hWnd, IDC_COMPARE_VERDICT, orrery::ComparisonVerdict(comparison));
}

void CCompareDlg::ShowRows(const orrery::CFileComparison& comparison)
{
    HWND list = GetDlgItem(IDC_COMPARE_LIST);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    for (const orrery::CCompareRow& row : comparison.rows) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<char*>(row.label.c_str());
        item.iImage = ImageOf(row.kind);
        int index = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0)
            continue;
        const std::string* values[] = {&row.first, &row.second};
        for (int column = 1; column <= 2; ++column) {
            LVITEMA sub = {};
            sub.iSubItem = column;
            sub.pszText = const_cast<char*>(values[column - 1]->c_str());
            ::SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
        }
    }
}

// Help belongs to the main window; without one (the "-C" start) the help
// routine takes the active window.
void CCompareDlg::OnHelp()
{
    CWinApp* app = CWinApp::Get();
    ShowHelp(app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr, HelpCompare);
}

std::string ChooseComparedFile(HWND owner)
{
    return AskForExistingFile(owner, "Compared COM File", kFilter);
}
