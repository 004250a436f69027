#include "orrery/app/about_dlg.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/shell.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"


CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

bool CAboutDlg::OnInitDialog()
{
    ::SendMessageA(GetDlgItem(IDC_ABOUT_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(controls::BoldGuiFont()),
                   FALSE);
    CHyperLink::Colours colours = CHyperLink::GetColours();
    colours.link = RGB(0, 0, 128);
    colours.hover = RGB(0, 0, 255);
    CHyperLink::SetColours(colours);
    m_link.Attach(m_hWnd, IDC_ABOUT_LINK, LoadResourceString(IDS_WEB_ADDRESS), true);
    return true;
}

void CAboutDlg::OpenLink()
{
    Shell().Open(m_hWnd, m_link.GetWindowText(), SW_SHOWMAXIMIZED, nullptr);
}

bool CAboutDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
        OpenLink();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}
