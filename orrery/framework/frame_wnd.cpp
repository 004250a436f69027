#include "orrery/framework/frame_wnd.h"

#include "orrery/framework/framework_ids.h"
#include "orrery/framework/view.h"
#include "orrery/framework/win_app.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The status text of a command is the part before the first newline, its
// tooltip the part after it.
std::string CommandTextPart(UINT id, bool tooltip)
{
    std::string text = LoadResourceString(id);
    size_t newline = text.find('\n');
    if (newline == std::string::npos)
        return tooltip ? std::string() : text;
    return tooltip ? text.substr(newline + 1) : text.substr(0, newline);
}

} // namespace

CFrameWnd::~CFrameWnd()
{
    m_activeView = nullptr;
}

bool CFrameWnd::LoadFrame(UINT resourceId, CCreateContext* context)
{
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HICON icon = ::LoadIconA(instance, MAKEINTRESOURCEA(resourceId));
    const char* className = RegisterWndClass("OrreryFrame", CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    m_accelerators = ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(resourceId));
    std::string title = LoadResourceString(IDS_APP_TITLE);
    CREATESTRUCTA cs = {};
    cs.lpszClass = className;
    cs.lpszName = title.c_str();
    cs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hMenu = ::LoadMenuA(instance, MAKEINTRESOURCEA(resourceId));
    PreCreateWindow(cs);
    m_createContext = context;
    HWND hwnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  nullptr, cs.hMenu, instance, this);
    m_createContext = nullptr;
    m_autoDelete = hwnd != nullptr;
    return hwnd != nullptr;
}

bool CFrameWnd::OnCreate(CCreateContext* context)
{
    return OnCreateClient(context);
}

bool CFrameWnd::OnCreateClient(CCreateContext* context)
{
    if (!context || !context->newView)
        return true;
    CView* view = context->newView();
    CFormView* form = dynamic_cast<CFormView*>(view);
    RECT rect = {0, 0, 0, 0};
    if (!form || !form->Create(this, context->document, m_hWnd, IDW_PANE_FIRST, rect)) {
        delete view;
        return false;
    }
    return true;
}

void CFrameWnd::InitialUpdateFrame(int showCommand)
{
    std::vector<CView*> views = m_viewOrder;
    for (CView* view : views)
        view->OnInitialUpdate();
    if (!m_activeView && !views.empty())
        SetActiveView(views.front());
    RecalcLayout();
    ::ShowWindow(m_hWnd, showCommand);
    ::UpdateWindow(m_hWnd);
}

void CFrameWnd::AddView(CView* view)
{
    m_views.emplace_back(view);
    m_viewOrder.push_back(view);
}

void CFrameWnd::SetActiveView(CView* view, bool takeFocus)
{
    m_activeView = view;
    if (view && takeFocus)
        ::SetFocus(view->GetSafeHwnd());
}

void CFrameWnd::ActivateNeighbour(int step)
{
    if (m_viewOrder.empty())
        return;
    auto at = std::find(m_viewOrder.begin(), m_viewOrder.end(), m_activeView);
    int count = static_cast<int>(m_viewOrder.size());
    int index = at == m_viewOrder.end() ? 0 : static_cast<int>(at - m_viewOrder.begin());
    SetActiveView(m_viewOrder[(index + step + count) % count]);
}

void CFrameWnd::RememberFocus()
{
    HWND focus = ::GetFocus();
    m_focusWhenDeactivated = focus && ::IsChild(m_hWnd, focus) ? focus : nullptr;
}

// Gives the keyboard back to the control that had it when the frame lost
// activation, so that closing a box does not leave it on the active view's
// first control; false when that control is gone, hidden, disabled or no
// longer inside the active view.
bool CFrameWnd::RestoreRememberedFocus()
{
    HWND remembered = m_focusWhenDeactivated;
    m_focusWhenDeactivated = nullptr;
    if (!remembered || !m_activeView || !::IsWindow(remembered) ||
        !::IsWindowVisible(remembered) || !::IsWindowEnabled(remembered))
        return false;
    HWND view = m_activeView->GetSafeHwnd();
    if (remembered != view && !::IsChild(view, remembered))
        return false;
    ::SetFocus(remembered);
    return true;
}

namespace {

// Offers a command along the route: the active view (if there is one), the
// frame, the application; true as soon as one of them answers for it.
template <typename Ask>
bool OfferAlongRoute(CCmdTarget* activeView, CCmdTarget& frame, Ask ask)
{
    if (activeView && ask(*activeView))
        return true;
    if (ask(frame))
        return true;
    CWinApp* app = CWinApp::Get();
    return app && ask(*app);
}

} // namespace

bool CFrameWnd::RouteCmdMsg(UINT id)
{
    return OfferAlongRoute(m_activeView, *this, [id](CCmdTarget& target) { return target.OnCmdMsg(id); });
}

bool CFrameWnd::RouteUpdateCmdUI(CCmdUI& ui)
{
    return OfferAlongRoute(m_activeView, *this, [&ui](CCmdTarget& target) { return target.OnUpdateCmdUI(ui); });
}

bool CFrameWnd::IsCommandEnabled(UINT id)
{
    CCmdUI ui;
    ui.id = id;
    return RouteUpdateCmdUI(ui) && ui.enabled;
}

bool CFrameWnd::OnUpdateCmdUI(CCmdUI& ui)
{
    switch (ui.id) {
    case ID_VIEW_TOOLBAR:
        ui.checked = ::IsWindowVisible(m_toolBar.GetSafeHwnd()) != FALSE;
        return true;
    case ID_VIEW_STATUS_BAR:
        ui.checked = ::IsWindowVisible(m_statusBar.GetSafeHwnd()) != FALSE;
        return true;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        ui.enabled = m_viewOrder.size() > 1;
        return true;
    default:
        return false;
    }
}

bool CFrameWnd::OnCmdMsg(UINT id)
{
    switch (id) {
    case ID_VIEW_TOOLBAR:
        ToggleBar(m_toolBar.GetSafeHwnd());
        return true;
    case ID_VIEW_STATUS_BAR:
        ToggleBar(m_statusBar.GetSafeHwnd());
        return true;
    case ID_NEXT_PANE:
        ActivateNeighbour(1);
        return true;
    case ID_PREV_PANE:
        ActivateNeighbour(-1);
        return true;
    default:
        return false;
    }
}

void CFrameWnd::ToggleBar(HWND bar)
{
    ::ShowWindow(bar, ::IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
    RecalcLayout();
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    m_statusBar.SetPaneText(0, text);
}

void CFrameWnd::ShowIdleMessage()
{
    SetMessageText(LoadResourceString(IDS_IDLE_MESSAGE));
}

void CFrameWnd::OnIdleUpdate()
{
    if (m_toolBar.GetSafeHwnd())
        m_toolBar.UpdateButtons(*this);
    m_statusBar.UpdateIndicators();
}

bool CFrameWnd::PreTranslateMessage(MSG& msg)
{
    return m_accelerators && ::TranslateAcceleratorA(m_hWnd, m_accelerators, &msg);
}

HWND CFrameWnd::FindClientWindow() const
{
    return ::GetDlgItem(m_hWnd, IDW_PANE_FIRST);
}

void CFrameWnd::RecalcLayout()
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    HWND toolBar = m_toolBar.GetSafeHwnd();
    HWND statusBar = m_statusBar.GetSafeHwnd();
    RECT bar = {};
    if (toolBar && ::IsWindowVisible(toolBar)) {
        ::SendMessageA(toolBar, TB_AUTOSIZE, 0, 0);
        ::GetWindowRect(toolBar, &bar);
        client.top += bar.bottom - bar.top;
    }
    if (statusBar && ::IsWindowVisible(statusBar)) {
        ::SendMessageA(statusBar, WM_SIZE, 0, 0);
        m_statusBar.Layout();
        ::GetWindowRect(statusBar, &bar);
        client.bottom -= bar.bottom - bar.top;
    }
    HWND pane = FindClientWindow();
    if (!pane)
        return;
    ::MoveWindow(pane, client.left, client.top, client.right - client.left, std::max(0L, client.bottom - client.top),
                 TRUE);
    // Controls that keep their place inside a moved view are not always
    // drawn again by the move itself (a bar shown or hidden moves the views
    // up or down): repaint everything below the frame.
    ::RedrawWindow(pane, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CFrameWnd::ResizeViews()
{
    for (CView* view : m_viewOrder) {
        RECT client = {};
        ::GetClientRect(view->GetSafeHwnd(), &client);
        ::SendMessageA(view->GetSafeHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    }
}

void CFrameWnd::OnInitMenuPopup(HMENU menu)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;
        CCmdUI ui;
        ui.id = id;
        bool enabled = RouteUpdateCmdUI(ui) && ui.enabled;
        ::EnableMenuItem(menu, i, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(menu, i, MF_BYPOSITION | (ui.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CFrameWnd::OnMenuSelect(UINT id, UINT flags, HMENU menu)
{
    if ((flags == 0xFFFF && !menu) || (flags & (MF_POPUP | MF_SEPARATOR)) || id == 0)
        ShowIdleMessage();
    else
        SetMessageText(CommandTextPart(id, false));
}

bool CFrameWnd::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        m_tipText = CommandTextPart(static_cast<UINT>(header.idFrom), true);
        info.lpszText = &m_tipText[0];
        result = 0;
        return true;
    }
    if (header.code == TBN_HOTITEMCHANGE && header.hwndFrom == m_toolBar.GetSafeHwnd()) {
        const NMTBHOTITEM& hot = reinterpret_cast<const NMTBHOTITEM&>(header);
        if ((hot.dwFlags & HICF_LEAVING) || hot.idNew == 0)
            ShowIdleMessage();
        else
            SetMessageText(CommandTextPart(hot.idNew, false));
        result = 0;
        return true;
    }
    return false;
}

LRESULT CFrameWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        if (!OnCreate(m_createContext))
            return -1;
        ShowIdleMessage();
        RecalcLayout();
        return 0;
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_COMMAND:
        if ((lp == 0 || reinterpret_cast<HWND>(lp) == m_toolBar.GetSafeHwnd()) && RouteCmdMsg(LOWORD(wp)))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
        return 0;
    case WM_MENUSELECT:
        OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
        return 0;
    case WM_EXITMENULOOP:
        ShowIdleMessage();
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(*reinterpret_cast<NMHDR*>(lp), result))
            return result;
        break;
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE)
            RememberFocus();
        break;
    case WM_SETFOCUS:
        if (!RestoreRememberedFocus() && m_activeView)
            ::SetFocus(m_activeView->GetSafeHwnd());
        return 0;
    case WM_DESTROY:
        m_activeView = nullptr;
        if (CWinApp* app = CWinApp::Get(); app && app->m_pMainWnd == this) {
            app->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        break;
    default:
        break;
    }
    return Default();
}

void CFrameWnd::PostNcDestroy()
{
    if (m_autoDelete)
        delete this;
}
