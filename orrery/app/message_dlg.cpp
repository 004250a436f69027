#include "orrery/app/message_dlg.h"

#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

namespace {

// The window grows at most to this share of the screen's height.
const double kLargestShareOfScreen = 0.7;

void MoveBy(HWND dialog, HWND control, int dy, int grow)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ::MoveWindow(control, rect.left, rect.top + dy, rect.right - rect.left, rect.bottom - rect.top + grow, FALSE);
}

} // namespace

CMessageDlg::CMessageDlg(const std::string& text) : CDialog(IDD_MESSAGE), m_text(text) {}

std::string CMessageDlg::ForDisplay(const std::string& text)
{
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            shown += '\r';
        shown += text[i];
    }
    return shown;
}

bool CMessageDlg::OnInitDialog()
{
    ::SetDlgItemTextA(m_hWnd, IDC_MESSAGE_TEXT, ForDisplay(m_text).c_str());
    FitText();
    ::MessageBeep(0xFFFFFFFF);
    ::SetFocus(GetDlgItem(IDOK));
    return false;
}

void CMessageDlg::FitText()
{
    HWND text = GetDlgItem(IDC_MESSAGE_TEXT);
    RECT room;
    ::GetClientRect(text, &room);
    RECT needed = room;
    HDC dc = ::GetDC(text);
    HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(text, WM_GETFONT, 0, 0)));
    ::DrawTextA(dc, ForDisplay(m_text).c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    ::SelectObject(dc, previous);
    ::ReleaseDC(text, dc);

    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    int largest = static_cast<int>(kLargestShareOfScreen * ::GetSystemMetrics(SM_CYSCREEN));
    int grow = needed.bottom - room.bottom;
    if (grow > largest - (window.bottom - window.top))
        grow = largest - (window.bottom - window.top);
    if (grow > 0) {
        MoveBy(m_hWnd, text, 0, grow);
        MoveBy(m_hWnd, GetDlgItem(IDC_MESSAGE_FRAME), 0, grow);
        MoveBy(m_hWnd, GetDlgItem(IDOK), grow, 0);
        int height = window.bottom - window.top + grow;
        ::SetWindowPos(m_hWnd, nullptr, window.left, window.top - grow / 2, window.right - window.left, height,
                       SWP_NOZORDER);
    }
    bool scrolls = needed.bottom - room.bottom > grow;
    ::ShowScrollBar(text, SB_VERT, scrolls);
}

void ShowMessage(const std::string& text)
{
    CWinApp* app = CWinApp::Get();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    CMessageDlg dialog(text);
    dialog.DoModal(owner);
}
