#include "orrery/framework/wnd.h"

namespace {

const char kObjectProperty[] = "OrreryWndObject";

// Messages whose dialog-procedure result is the value itself rather than a
// handled flag with the result in DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT msg)
{
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

} // namespace

CWnd::~CWnd()
{
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        Detach();
        ::DestroyWindow(hwnd);
    }
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(length + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                    const RECT& rect, HWND parent, UINT id)
{
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                                  ::GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

bool CWnd::CreateDlg(UINT templateId, HWND parent)
{
    HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                                     DlgProc, reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

INT_PTR CWnd::RunModalDlg(UINT templateId, HWND parent)
{
    return ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, DlgProc,
                             reinterpret_cast<LPARAM>(this));
}

bool CWnd::SubclassDlgItem(UINT id, HWND parent)
{
    HWND hwnd = ::GetDlgItem(parent, id);
    if (!hwnd)
        return false;
    Attach(hwnd, Kind::Subclassed);
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc)));
    return true;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kObjectProperty)) : nullptr;
}

const char* CWnd::RegisterWndClass(const char* name, UINT style, HCURSOR cursor, HBRUSH background,
                                   HICON icon)
{
    WNDCLASSA wc = {};
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (::GetClassInfoA(instance, name, &wc))
        return name;
    wc.style = style;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) ? name : nullptr;
}

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM)
{
    return Default();
}

LRESULT CWnd::Default()
{
    Message* m = m_current;
    if (!m)
        return 0;
    switch (m_kind) {
    case Kind::Dialog:
        m->handled = false;
        return 0;
    case Kind::Subclassed:
        return ::CallWindowProcA(m_superProc, m_hWnd, m->msg, m->wp, m->lp);
    case Kind::Window:
        break;
    }
    return ::DefWindowProcA(m_hWnd, m->msg, m->wp, m->lp);
}

void CWnd::Attach(HWND hwnd, Kind kind)
{
    m_hWnd = hwnd;
    m_kind = kind;
    ::SetPropA(hwnd, kObjectProperty, this);
}

void CWnd::Detach()
{
    if (m_kind == Kind::Subclassed && m_superProc)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp, bool& handled)
{
    Message message = {msg, wp, lp, true};
    Message* outer = m_current;
    m_current = &message;
    LRESULT result = WindowProc(msg, wp, lp);
    m_current = outer;
    handled = message.handled;
    if (msg == WM_NCDESTROY) {
        Detach();
        PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (self)
            self->Attach(hwnd, Kind::Window);
    }
    if (!self)
        return ::DefWindowProcA(hwnd, msg, wp, lp);
    bool handled = true;
    return self->Dispatch(msg, wp, lp, handled);
}

INT_PTR CALLBACK CWnd::DlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* self = FromHandle(hwnd);
    if (!self && msg == WM_INITDIALOG) {
        self = reinterpret_cast<CWnd*>(lp);
        if (self)
            self->Attach(hwnd, Kind::Dialog);
    }
    if (!self)
        return FALSE;
    bool handled = true;
    LRESULT result = self->Dispatch(msg, wp, lp, handled);
    if (!handled)
        return FALSE;
    if (ReturnsValueDirectly(msg))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
