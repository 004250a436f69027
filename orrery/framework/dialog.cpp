#include "orrery/framework/dialog.h"

INT_PTR CDialog::DoModal(HWND parent)
{
    m_modal = true;
    return RunModalDlg(m_templateId, parent);
}

bool CDialog::Create(HWND parent)
{
    m_modal = false;
    return CreateDlg(m_templateId, parent);
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow();
}

bool CDialog::OnCommand(UINT id, UINT /*code*/, HWND /*control*/)
{
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    default:
        return false;
    }
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)))
            return 0;
        break;
    default:
        break;
    }
    return Default();
}
