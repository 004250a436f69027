#include "orrery/app/options_dlg.h"

#include "orrery/app/help.h"
#include "orrery/res/resource.h"

const char* const COptionsDlg::kTreeLabels[4] = {"ProgID", "CLSID", "File Location", "TypeLib Name"};

COptionsDlg::COptionsDlg(CProfile& profile, const COptions& current)
    : CDialog(IDD_OPTIONS), m_profile(profile), m_values(current)
{
}

bool COptionsDlg::OnInitDialog()
{
    Check(IDC_DISPLAY_MISSING, m_values.DisplayMissing);
    Check(IDC_DISPLAY_INSTALLED, m_values.DisplayInstalled);
    Check(IDC_CONFIRM_REMOVE, m_values.ConfirmRemove);
    HWND labels = GetDlgItem(IDC_DISPLAY_IN_LIST);
    for (const char* label : kTreeLabels)
        ::SendMessageA(labels, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    // A number outside the list leaves it without a selection.
    bool listed = m_values.DisplayInList >= 0 && m_values.DisplayInList < 4;
    ::SendMessageA(labels, CB_SETCURSEL, listed ? m_values.DisplayInList : -1, 0);
    return true;
}

bool COptionsDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_DIALOG_HELP) {
        ShowHelp(m_hWnd, HelpOptions);
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void COptionsDlg::OnOK()
{
    COptions chosen;
    chosen.DisplayMissing = IsChecked(IDC_DISPLAY_MISSING);
    chosen.DisplayInstalled = IsChecked(IDC_DISPLAY_INSTALLED);
    chosen.ConfirmRemove = IsChecked(IDC_CONFIRM_REMOVE);
    chosen.DisplayInList = static_cast<long>(::SendMessageA(GetDlgItem(IDC_DISPLAY_IN_LIST), CB_GETCURSEL, 0, 0));
    WriteOptions(m_profile, chosen);
    EndDialog(IDOK);
}

void COptionsDlg::Check(UINT id, bool on)
{
    ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
}

bool COptionsDlg::IsChecked(UINT id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}
