#include "orrery/framework/dialog.h"

#include <algorithm>

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

// Over the middle of the owner, or of the screen's work area when there is
// no owner to be seen, kept on the work area.
void CDialog::CenterWindow()
{
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT centre = area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &centre);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int left = (centre.left + centre.right - width) / 2;
    int top = (centre.top + centre.bottom - height) / 2;
    left = std::max(static_cast<int>(area.left), std::min(left, static_cast<int>(area.right) - width));
    top = std::max(static_cast<int>(area.top), std::min(top, static_cast<int>(area.bottom) - height));
    ::SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG: {
        RECT before = {};
        ::GetWindowRect(m_hWnd, &before);
        bool focusSet = !OnInitDialog();
        // A modal dialog that did not place itself opens over its owner.
        RECT after = {};
        ::GetWindowRect(m_hWnd, &after);
        if (m_modal && ::EqualRect(&before, &after))
            CenterWindow();
        return focusSet ? FALSE : TRUE;
    }
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)))
            return 0;
        break;
    default:
        break;
    }
    return Default();
}
