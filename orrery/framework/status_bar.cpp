#include "orrery/framework/status_bar.h"

#include "orrery/framework/framework_ids.h"
#include "orrery/framework/win_app.h"

#include <commctrl.h>

namespace {

const int kPaneMargin = 10;

int IndicatorKey(UINT id)
{
    switch (id) {
    case ID_INDICATOR_CAPS:
        return VK_CAPITAL;
    case ID_INDICATOR_NUM:
        return VK_NUMLOCK;
    case ID_INDICATOR_SCRL:
        return VK_SCROLL;
    default:
        return 0;
    }
}

} // namespace

bool CStatusBar::Create(HWND parent)
{
    m_hWnd = ::CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(IDW_STATUS_BAR), ::GetModuleHandleA(nullptr),
                               nullptr);
    return m_hWnd != nullptr;
}

int CStatusBar::TextWidth(const std::string& text) const
{
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    return size.cx + kPaneMargin;
}

void CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        Pane pane = {ids[i], 0, std::string()};
        if (ids[i] != ID_SEPARATOR)
            pane.width = TextWidth(LoadResourceString(ids[i]));
        m_panes.push_back(pane);
    }
    Layout();
    UpdateIndicators();
}

void CStatusBar::SetPaneInfo(int index, UINT id, int width)
{
    if (index < 0 || index >= GetPaneCount())
        return;
    m_panes[index].id = id;
    m_panes[index].width = width;
    Layout();
}

void CStatusBar::SetPaneText(int index, const std::string& text)
{
    if (index < 0 || index >= GetPaneCount())
        return;
    m_panes[index].text = text;
    ::SendMessageA(m_hWnd, SB_SETTEXTA, index, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CStatusBar::GetPaneText(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[index].text : std::string();
}

int CStatusBar::GetPaneWidth(int index) const
{
    return index >= 0 && index < GetPaneCount() ? m_panes[index].width : 0;
}

void CStatusBar::UpdateIndicators()
{
    for (int i = 0; i < GetPaneCount(); ++i) {
        int key = IndicatorKey(m_panes[i].id);
        if (!key)
            continue;
        std::string text = (::GetKeyState(key) & 1) ? LoadResourceString(m_panes[i].id) : std::string();
        if (text != m_panes[i].text)
            SetPaneText(i, text);
    }
}

void CStatusBar::Layout()
{
    if (!m_hWnd || m_panes.empty())
        return;
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    int grip = ::GetSystemMetrics(SM_CXVSCROLL);
    std::vector<int> edges(m_panes.size());
    int right = client.right - grip;
    for (size_t i = m_panes.size() - 1; i > 0; --i) {
        edges[i] = right;
        right -= m_panes[i].width;
    }
    edges[0] = right;
    edges.back() = -1;
    ::SendMessageA(m_hWnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (size_t i = 0; i < m_panes.size(); ++i)
        ::SendMessageA(m_hWnd, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(m_panes[i].text.c_str()));
}
