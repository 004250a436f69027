#include "orrery/app/hyper_link.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>

namespace {

CHyperLink::Colours g_colours = {RGB(0, 0, 255), RGB(0, 128, 128), RGB(128, 0, 128), RGB(255, 0, 0)};

HCURSOR HandCursor()
{
    static HCURSOR hand = [] {
        char path[MAX_PATH] = "";
        ::GetWindowsDirectoryA(path, MAX_PATH);
        std::string helpViewer = std::string(path) + "\\winhlp32.exe";
        HMODULE module = ::LoadLibraryExA(helpViewer.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HCURSOR cursor = nullptr;
        if (module) {
            HCURSOR loaded = ::LoadCursorA(module, MAKEINTRESOURCEA(106));
            cursor = loaded ? reinterpret_cast<HCURSOR>(::CopyIcon(reinterpret_cast<HICON>(loaded))) : nullptr;
            ::FreeLibrary(module);
        }
        return cursor ? cursor : ::LoadCursorA(nullptr, IDC_HAND);
    }();
    return hand;
}

std::string ReadClassesRootDefault(const std::string& key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_ALL_ACCESS, &opened) != ERROR_SUCCESS)
        return std::string();
    char value[1024] = "";
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    LONG result = ::RegQueryValueExA(opened, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(opened);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    value[size < sizeof value ? size : sizeof value - 1] = '\0';
    return value;
}

// Opens target with the program that opens .htm files; returns the WinExec
// result, or 0 when no such program is registered.
UINT OpenWithBrowser(const std::string& target)
{
    std::string type = ReadClassesRootDefault(".htm");
    std::string command = type.empty() ? std::string() : ReadClassesRootDefault(type + "\\shell\\open\\command");
    if (command.empty())
        return 0;
    size_t placeholder = command.find("\"%1\"");
    if (placeholder == std::string::npos)
        placeholder = command.find("%1");
    if (placeholder != std::string::npos)
        command.erase(placeholder);
    command += " " + target;
    return ::WinExec(command.c_str(), SW_SHOW);
}

} // namespace

std::string LinkErrorText(int code)
{
    switch (code) {
    case 0: return "The operating system is out\nof memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied\naccess to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
    case 26: return "A sharing violation occurred. ";
    case 27: return "The filename association is\nincomplete or invalid.";
    case 28: return "The DDE transaction could not\nbe completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30: return "The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
    case 31: return "There is no application associated\nwith the given filename extension.";
    case 32: return "The specified dynamic-link library was not found.";
    default: break;
    }
    char text[64];
    std::snprintf(text, sizeof text, "Unknown Error (%d) occurred.", code);
    return text;
}

CHyperLink::~CHyperLink()
{
    if (m_toolTip)
        ::DestroyWindow(m_toolTip);
    if (m_font)
        ::DeleteObject(m_font);
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
    m_font = ::CreateFontIndirectA(&font);
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
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    ::SelectObject(dc, oldFont);

    RECT canvas = {0, 0, size.cx + 2 * size.cy, size.cy};
    HDC memory = ::CreateCompatibleDC(dc);
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc, canvas.right, canvas.bottom);
    HGDIOBJ oldBitmap = ::SelectObject(memory, bitmap);
    oldFont = ::SelectObject(memory, m_font);
    ::FillRect(memory, &canvas, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetBkMode(memory, TRANSPARENT);
    ::SetTextColor(memory, RGB(0, 0, 0));
    ::DrawTextA(memory, text.c_str(), static_cast<int>(text.size()), &canvas, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    int inkWidth = size.cx;
    for (int x = canvas.right - 1; x >= size.cx; --x) {
        bool ink = false;
        for (int y = 0; y < canvas.bottom && !ink; ++y)
            ink = ::GetPixel(memory, x, y) != RGB(255, 255, 255);
        if (ink) {
            inkWidth = x + 1;
            break;
        }
    }
    ::SelectObject(memory, oldFont);
    ::SelectObject(memory, oldBitmap);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    return {inkWidth, size.cy, metrics.tmAscent};
}

void CHyperLink::SizeToText()
{
    HDC dc = ::GetDC(m_hWnd);
    m_measured = MeasureText(dc);
    ::ReleaseDC(m_hWnd, dc);
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
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    HGDIOBJ oldFont = ::SelectObject(dc, m_font);
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF colour = CurrentColour();
    ::SetTextColor(dc, colour);
    std::string text = GetWindowText();
    ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    // The underline runs under the whole text, its last letter included.
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    ::MoveToEx(dc, 0, m_measured.ascent + 1, nullptr);
    ::LineTo(dc, m_measured.inkWidth, m_measured.ascent + 1);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::SelectObject(dc, oldFont);
    ::EndPaint(m_hWnd, &paint);
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
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", m_target.c_str(), nullptr, nullptr, SW_SHOW));
    if (result <= 32)
        result = OpenWithBrowser(m_target);
    if (result <= 32) {
        ::MessageBeep(MB_ICONEXCLAMATION);
        std::string text = "Can't open link:\n\n" + LinkErrorText(static_cast<int>(result));
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
