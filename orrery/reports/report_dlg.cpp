#include "orrery/reports/report_dlg.h"

#include "orrery/catalogue/attributes.h"
#include "orrery/framework/wait_cursor.h"
#include "orrery/framework/win_app.h"

#include <commctrl.h>

#include <algorithm>

namespace {

const char kOneAttributeLeft[] =
    "There is only one attribute left in the list.\nIn order to generate a report at least one is required.";

bool IsChecked(HWND dialog, int id)
{
    return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

int ListCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
}

// The indexes of the selected entries, lowest first.
std::vector<int> SelectedEntries(HWND list)
{
    int count = static_cast<int>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    std::vector<int> selected(count > 0 ? count : 0);
    if (count > 0)
        ::SendMessageA(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(selected.data()));
    std::sort(selected.begin(), selected.end());
    return selected;
}

} // namespace

CReportDlg::CReportDlg(const std::vector<orrery::CComObject*>& objects, const std::string& categoryName,
                       orrery::CReportEnvironment& environment, orrery::CReportFiles& files)
    : CDialog(IDD_REPORT), m_objects(objects), m_categoryName(categoryName), m_environment(environment),
      m_files(files)
{
}

bool CReportDlg::OnInitDialog()
{
    HWND list = AttributeList();
    for (int id = 0; id < orrery::kAttributeCount; ++id) {
        LRESULT entry = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(orrery::AttributeLabel(id).c_str()));
        ::SendMessageA(list, LB_SETITEMDATA, entry, id);
    }
    ::SetWindowTextA(m_hWnd, (m_categoryName + " Inventory Report").c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_REPORT_WELL_BEHAVED, ("Well behaved " + m_categoryName).c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_REPORT_MISBEHAVED, ("Misbehaved " + m_categoryName).c_str());
    ::CheckDlgButton(m_hWnd, IDC_REPORT_WELL_BEHAVED, BST_CHECKED);
    ::CheckDlgButton(m_hWnd, IDC_REPORT_MISBEHAVED, BST_CHECKED);
    HWND formats = GetDlgItem(IDC_REPORT_FORMAT);
    for (const char* name : orrery::kReportFormatNames)
        ::SendMessageA(formats, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageA(formats, CB_SETCURSEL, orrery::ReportFormatted, 0);
    OnFormatChanged();
    UpdateButtons();
    return true;
}

orrery::CReportChoices CReportDlg::Choices() const
{
    orrery::CReportChoices choices;
    choices.categoryName = m_categoryName;
    LRESULT format = ::SendMessageA(GetDlgItem(IDC_REPORT_FORMAT), CB_GETCURSEL, 0, 0);
    choices.format = format >= 0 && format < orrery::kReportFormatCount ? static_cast<orrery::ReportFormat>(format)
                                                                         : orrery::ReportFormatted;
    choices.wellBehaved = IsChecked(m_hWnd, IDC_REPORT_WELL_BEHAVED);
    choices.misbehaved = IsChecked(m_hWnd, IDC_REPORT_MISBEHAVED);
    choices.includeDependencies = IsChecked(m_hWnd, IDC_REPORT_DEPENDENCIES);
    HWND list = AttributeList();
    for (int entry = 0, count = ListCount(list); entry < count; ++entry)
        choices.attributes.push_back(static_cast<int>(::SendMessageA(list, LB_GETITEMDATA, entry, 0)));
    return choices;
}

bool CReportDlg::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_REPORT_FORMAT:
        if (code == CBN_SELCHANGE)
            OnFormatChanged();
        return true;
    case IDC_REPORT_ATTRIBUTES:
        if (code == LBN_DBLCLK)
            OnRemove();
        else if (code == LBN_SELCHANGE)
            UpdateButtons();
        return true;
    case IDC_REPORT_REMOVE:
        OnRemove();
        return true;
    case IDC_REPORT_GENERATE:
        OnGenerate();
        return true;
    case IDC_REPORT_HELP:
        if (showHelp)
            showHelp();
        return true;
    default:
        return CDialog::OnCommand(id, code, control);
    }
}

// Dependencies are listed by the plain page only; the comma-delimited file
// has no room for them.
void CReportDlg::OnFormatChanged()
{
    bool canList = Choices().format != orrery::ReportCommaDelimited;
    ::EnableWindow(GetDlgItem(IDC_REPORT_DEPENDENCIES), canList);
}

// Deletes the selected entries from the last up, but never the last entry
// left: a report needs at least one attribute.
void CReportDlg::OnRemove()
{
    HWND list = AttributeList();
    std::vector<int> selected = SelectedEntries(list);
    if (selected.empty())
        return;
    int lastDeleted = -1;
    for (auto entry = selected.rbegin(); entry != selected.rend(); ++entry) {
        if (ListCount(list) == 1) {
            ::MessageBeep(0xFFFFFFFF);
            ShowMessage(kOneAttributeLeft, MB_ICONEXCLAMATION);
            break;
        }
        ::SendMessageA(list, LB_DELETESTRING, *entry, 0);
        lastDeleted = *entry;
    }
    int count = ListCount(list);
    if (lastDeleted >= 0 && count > 0) {
        int next = std::min(lastDeleted, count - 1);
        ::SendMessageA(list, LB_SETSEL, TRUE, next);
        ::SendMessageA(list, LB_SETCARETINDEX, next, FALSE);
        ::SetFocus(list);
    }
    UpdateButtons();
}

void CReportDlg::UpdateButtons()
{
    HWND list = AttributeList();
    ::EnableWindow(GetDlgItem(IDC_REPORT_REMOVE), ::SendMessageA(list, LB_GETSELCOUNT, 0, 0) > 0);
    ::EnableWindow(GetDlgItem(IDC_REPORT_GENERATE), ListCount(list) > 0);
}

void CReportDlg::ShowProgress(bool shown)
{
    ::ShowWindow(GetDlgItem(IDC_REPORT_PROGRESS), shown ? SW_SHOW : SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_REPORT_PROGRESS_LABEL), shown ? SW_SHOW : SW_HIDE);
}

void CReportDlg::ShowMessage(const std::string& text, UINT icon)
{
    ::MessageBoxA(m_hWnd, text.c_str(), LoadResourceString(IDS_APP_TITLE).c_str(), MB_OK | icon);
}

void CReportDlg::OnGenerate()
{
    ShowProgress(true);
    ::EnableWindow(GetDlgItem(IDCANCEL), FALSE);
    HWND progress = GetDlgItem(IDC_REPORT_PROGRESS);
    int last = m_objects.empty() ? 0 : static_cast<int>(m_objects.size() - 1);
    ::SendMessageA(progress, PBM_SETRANGE32, 0, last);
    ::SendMessageA(progress, PBM_SETPOS, 0, 0);
    orrery::CReportFileResult result;
    {
        CWaitCursor wait;
        result = orrery::WriteTemporaryReport(Choices(), m_objects, m_environment, m_files,
                                              [progress](std::size_t index) {
                                                  ::SendMessageA(progress, PBM_SETPOS, index, 0);
                                              });
    }
    if (result.ok) {
        m_reportPath = result.path;
        ::MessageBeep(0xFFFFFFFF);
        std::string reason;
        if (openReport && !openReport(m_hWnd, result.path, &reason))
            ShowMessage("The report was written to " + result.path + ", but it could not be opened.\n\n" + reason,
                        MB_ICONEXCLAMATION);
    } else {
        ShowMessage(result.message, MB_ICONERROR);
    }
    ::EnableWindow(GetDlgItem(IDCANCEL), TRUE);
    ::EnableWindow(GetDlgItem(IDOK), TRUE);
    ShowProgress(false);
}
