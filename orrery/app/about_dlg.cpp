#include "orrery/app/about_dlg.h"

#include "orrery/app/control_adapters.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

#include <shellapi.h>

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
    std::string address = m_link.GetWindowText();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = m_hWnd;
    info.lpFile = address.c_str();
    info.nShow = SW_SHOWMAXIMIZED;
    ::ShellExecuteExA(&info);
}

bool CAboutDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
        OpenLink();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}
