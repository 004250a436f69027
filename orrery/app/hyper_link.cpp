#include "orrery/app/hyper_link.h"

#include "orrery/app/shell.h"

#include <commctrl.h>

#include <cstdio>

namespace {

CHyperLink::Colours g_colours = {RGB(0, 0, 255), RGB(0, 128, 128), RGB(128, 0, 128), RGB(255, 0, 0)};

// The pointing hand among the help viewer's cursors.
const int kHelpViewerHandCursor = 106;

HCURSOR HandCursor()
{
    static HCURSOR hand = [] {
        char path[MAX_PATH] = "";
        ::GetWindowsDirectoryA(path, MAX_PATH);
        std::string helpViewer = std::string(path) + "\\winhlp32.exe";
        HMODULE module = ::LoadLibraryExA(helpViewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HCURSOR cursor = nullptr;
        if (module) {
            HCURSOR loaded = ::LoadCursorA(module, MAKEINTRESOURCEA(kHelpViewerHandCursor));
            cursor = loaded ? reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(loaded))) : nullptr;
            ::FreeLibrary(module);
        }
        return cursor ? cursor : ::LoadCursorA(nullptr, IDC_HAND);
    }();
    return hand;
}

} // namespace

std::string LinkErrorText(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND: return "The specified file was not found.";
    case ERROR_PATH_NOT_FOUND: return "The specified path was not found.";
    case ERROR_ACCESS_DENIED: return "The operating system denied\naccess to the specified file.";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return "There was not enough memory to complete the operation.";
    case ERROR_BAD_FORMAT: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case ERROR_SHARING_VIOLATION: return "A sharing violation occurred. ";
    case ERROR_NO_ASSOCIATION: return "There is no application associated\nwith the given filename extension.";
    case ERROR_DDE_FAIL: return "The DDE transaction failed.";
    case ERROR_DLL_NOT_FOUND: return "The specified dynamic-link library was not found.";
    default: break;
    }
    char text[64];
    std::snprintf(text, sizeof text, "Unknown Error (%lu) occurred.", static_cast<unsigned long>(error));
    return text;
}

CHyperLink::~CHyperLink()
{
    if (m_toolTip)
        ::DestroyWindow(m_toolTip);
}

void CHyperLink::SetColours(const Colours& colours)
{
    g_colours = colours;
}

const CHyperLink::Colours& CHyperLink::GetColours()
{
    return g_colours;
}

bool CHyperLink::Attach(HWND parent, UINT id, const std::string& target, bool hover)
{
    if (!SubclassDlgItem(id, parent))
        return false;
    m_target = target;
    m_hoverStyle = hover;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, ::GetWindowLongPtrA(m_hWnd, GWL_STYLE) | SS_NOTIFY);
    if (::GetWindowTextLengthA(m_hWnd) == 0)
        ::SetWindowTextA(m_hWnd, target.c_str());
    LOGFONTA font = {};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0)), sizeof font, &font);
    m_font.Reset(::CreateFontIndirectA(&font));
    SizeToText();
    AddToolTip();
    return true;
}

COLORREF CHyperLink::CurrentColour() const
{
    if (m_hovering && m_hoverStyle)
        return g_colours.hover;
    return m_visited ? g_colours.visited : g_colours.link;
}

// The text is drawn once off screen and its ink looked for: fonts may draw
// a last letter such as "/" past the extent they report for the text, and
// the underline and the label's width must reach the ink's end.
CHyperLink::TextMetrics CHyperLink::MeasureText(HDC dc) const
{
    std::string text = GetWindowText();
    SIZE size = {};
    TEXTMETRICA metrics = {};
    {
        CSelectObject font(dc, m_font.Get());
        ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        ::GetTextMetricsA(dc, &metrics);
    }

    RECT canvas = {0, 0, size.cx + 2 * size.cy, size.cy};
    CMemoryDC memory(dc);
    CGdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(dc, canvas.right, canvas.bottom));
    CSelectObject bitmapSelected(memory.Get(), bitmap.Get());
    CSelectObject fontSelected(memory.Get(), m_font.Get());
    ::FillRect(memory.Get(), &canvas, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(memory.Get(), TRANSPARENT);
    ::SetTextColor(memory.Get(), RGB(0, 0, 0));
    ::DrawTextA(memory.Get(), text.c_str(), static_cast<int>(text.size()), &canvas,
                DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    int inkWidth = size.cx;
    for (int x = canvas.right - 1; x >= size.cx; --x) {
        bool ink = false;
        for (int y = 0; y < canvas.bottom && !ink; ++y)
            ink = ::GetPixel(memory.Get(), x, y) != RGB(255, 255, 255);
        if (ink) {
            inkWidth = x + 1;
            break;
        }
    }
    return {inkWidth, size.cy, metrics.tmAscent};
}

void CHyperLink::SizeToText()
{
    m_measured = MeasureText(CClientDC(m_hWnd).Get());
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_measured.inkWidth + kUnderlineGap, m_measured.height + kUnderlineGap,
                   SWP_NOMOVE | SWP_NOZORDER);
}

void CHyperLink::AddToolTip()
{
    m_toolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  0, 0, 0, 0, ::GetParent(m_hWnd), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(m_toolTip, WM_SETFONT, ::SendMessageA(::GetParent(m_hWnd), WM_GETFONT, 0, 0), FALSE);
    // The notices of the tip (when it shows) come to the link itself.
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    tool.lpszText = const_cast<char*>(m_target.c_str());
    ::SendMessageA(m_toolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The tip shows above the link, where it covers neither the link nor the
// buttons that usually sit below it, and a little wider than its text, so
// that the last letter is not cut.
void CHyperLink::PlaceToolTip()
{
    RECT link = {};
    ::GetWindowRect(m_hWnd, &link);
    RECT tip = {};
    ::GetWindowRect(m_toolTip, &tip);
    int width = tip.right - tip.left + kToolTipRoom;
    int height = tip.bottom - tip.top;
    ::SetWindowPos(m_toolTip, nullptr, link.left, link.top - height - 2, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::OnPaint()
{
    CPaintDC dc(m_hWnd);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    CSelectObject font(dc.Get(), m_font.Get());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    COLORREF colour = CurrentColour();
    ::SetTextColor(dc.Get(), colour);
    std::string text = GetWindowText();
    ::DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    // The underline runs under the whole text, its last letter included.
    CGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, colour));
    CSelectObject penSelected(dc.Get(), pen.Get());
    ::MoveToEx(dc.Get(), 0, m_measured.ascent + 1, nullptr);
    ::LineTo(dc.Get(), m_measured.inkWidth, m_measured.ascent + 1);
}

// The link holds the mouse while the pointer is over it, so that it sees
// the pointer leave.
void CHyperLink::OnMouseMove()
{
    POINT point;
    ::GetCursorPos(&point);
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    bool inside = ::PtInRect(&rect, point) != FALSE;
    if (inside == m_hovering)
        return;
    m_hovering = inside;
    if (inside)
        ::SetCapture(m_hWnd);
    else if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::MarkVisited()
{
    m_visited = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHyperLink::FollowLink()
{
    DWORD error = ERROR_SUCCESS;
    if (!Shell().Open(::GetParent(m_hWnd), m_target, SW_SHOW, &error)) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        std::string text = "Can't open link:\n\n" + LinkErrorText(error);
        ::MessageBoxA(::GetParent(m_hWnd), text.c_str(), "Orrery", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    MarkVisited();
}

LRESULT CHyperLink::WindowProc(UINT msg, WPARAM /*wp*/, LPARAM lp)
{
    switch (msg) {
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lp)->hwndFrom == m_toolTip && reinterpret_cast<NMHDR*>(lp)->code == TTN_SHOW) {
            PlaceToolTip();
            return TRUE;
        }
        break;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove();
        return 0;
    case WM_CAPTURECHANGED:
        if (m_hovering && reinterpret_cast<HWND>(lp) != m_hWnd) {
            m_hovering = false;
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(HandCursor());
        return TRUE;
    case WM_LBUTTONDOWN:
        ::SetFocus(m_hWnd);
        break;
    case WM_LBUTTONUP:
        Default();
        FollowLink();
        return 0;
    default:
        break;
    }
    return Default();
}

void CHyperLinkDL::FollowLink()
{
    MarkVisited();
}
