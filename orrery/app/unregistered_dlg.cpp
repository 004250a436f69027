#include "orrery/app/unregistered_dlg.h"

#include "orrery/res/resource.h"

CUnregisteredDlg::CUnregisteredDlg(const std::string& name, const std::string& path)
    : CDialog(IDD_UNREGISTERED), m_name(name), m_path(path)
{
}

bool CUnregisteredDlg::OnInitDialog()
{
    ::MessageBeep(0xFFFFFFFF);
    ::SetDlgItemTextA(m_hWnd, IDC_UNREGISTERED_NAME, m_name.c_str());
    ::SetDlgItemTextA(m_hWnd, IDC_UNREGISTERED_PATH, m_path.c_str());
    return true;
}

bool CUnregisteredDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_DELETE_FILE) {
        OnDeleteFile();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

void CUnregisteredDlg::OnDeleteFile()
{
    std::string question = "Are you sure you want to delete " + m_path + " ?";
    // No is the default: Enter alone deletes nothing.
    if (::MessageBoxA(m_hWnd, question.c_str(), "Confirm File Delete", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES)
        return;
    if (!::DeleteFileA(m_path.c_str())) {
        std::string failure = "Failed to delete file " + m_path + "\n\nThe file may be in use by another program.";
        ::MessageBoxA(m_hWnd, failure.c_str(), "Orrery", MB_OK | MB_ICONERROR);
    }
    EndDialog(IDOK);
}
