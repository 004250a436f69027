#include "orrery/app/splash_wnd.h"

#include "orrery/app/control_adapters.h"
#include "orrery/res/resource.h"

CSplashWnd::CSplashWnd() : CDialog(IDD_SPLASH) {}

bool CSplashWnd::Show()
{
    if (!Create(nullptr))
        return false;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return true;
}

bool CSplashWnd::OnInitDialog()
{
    ::SendMessageA(GetDlgItem(IDC_SPLASH_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(controls::BoldGuiFont()),
                   FALSE);
    return false;
}

LRESULT CSplashWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CTLCOLORDLG || msg == WM_CTLCOLORSTATIC) {
        ::SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    return CDialog::WindowProc(msg, wp, lp);
}

void CSplashWnd::SetStatusText(const char* text)
{
    ::SetDlgItemTextA(m_hWnd, IDC_SPLASH_STATUS, text);
    ::UpdateWindow(GetDlgItem(IDC_SPLASH_STATUS));
}

std::string CSplashWnd::GetStatusText() const
{
    char text[256] = "";
    ::GetDlgItemTextA(m_hWnd, IDC_SPLASH_STATUS, text, sizeof text);
    return text;
}

CSearchWaitDlg::CSearchWaitDlg() : CDialog(IDD_WAIT) {}

bool CSearchWaitDlg::Show(HWND owner)
{
    if (!Create(owner))
        return false;
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return true;
}
