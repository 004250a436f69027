#include "orrery/framework/splitter_wnd.h"

#include "orrery/framework/framework_ids.h"

#include <algorithm>

namespace {

// Each pane sits in a sunken edge kBorder pixels wide; kBar pixels of bar lie
// between the edges of neighbouring panes.
const int kBorder = 2;
const int kBar = 3;
const int kCell = kBar + 2 * kBorder;

} // namespace

bool CSplitterWnd::CreateStatic(HWND parent, int rows, int cols, UINT id, bool border)
{
    m_rows.ideal.assign(rows, 0);
    m_rows.minimum.assign(rows, 0);
    m_rows.actual.assign(rows, 0);
    m_cols.ideal.assign(cols, 0);
    m_cols.minimum.assign(cols, 0);
    m_cols.actual.assign(cols, 0);
    const char* className = RegisterWndClass("OrrerySplitter", CS_DBLCLKS, nullptr,
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RECT rect = {0, 0, 0, 0};
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | (border ? WS_BORDER : 0);
    return CreateEx(0, className, nullptr, style, rect, parent, id);
}

UINT CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return IDW_PANE_FIRST + row * 16 + col;
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum)
{
    if (col >= 0 && col < static_cast<int>(m_cols.ideal.size())) {
        m_cols.ideal[col] = std::max(0, ideal);
        m_cols.minimum[col] = std::max(0, minimum);
    }
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row >= 0 && row < static_cast<int>(m_rows.ideal.size())) {
        m_rows.ideal[row] = std::max(0, ideal);
        m_rows.minimum[row] = std::max(0, minimum);
    }
}

int CSplitterWnd::GetColumnWidth(int col) const
{
    return col >= 0 && col < static_cast<int>(m_cols.actual.size()) ? m_cols.actual[col] : 0;
}

int CSplitterWnd::GetRowHeight(int row) const
{
    return row >= 0 && row < static_cast<int>(m_rows.actual.size()) ? m_rows.actual[row] : 0;
}

// Gives each pane but the last its ideal size while space lasts, keeping
// back the minimums of the panes after it; the last pane takes what is left.
void CSplitterWnd::Distribute(Track& track, int total)
{
    int left = total - static_cast<int>(track.ideal.size()) * kCell + kBar;
    int reserved = 0;
    for (int minimum : track.minimum)
        reserved += minimum;
    for (size_t i = 0; i + 1 < track.ideal.size(); ++i) {
        reserved -= track.minimum[i];
        track.actual[i] = std::max(0, std::min(track.ideal[i], left - reserved));
        left -= track.actual[i];
    }
    track.actual.back() = std::max(0, left);
}

RECT CSplitterWnd::PaneRect(int row, int col) const
{
    RECT rect = {kBorder, kBorder, 0, 0};
    for (int c = 0; c < col; ++c)
        rect.left += m_cols.actual[c] + kCell;
    for (int r = 0; r < row; ++r)
        rect.top += m_rows.actual[r] + kCell;
    rect.right = rect.left + m_cols.actual[col];
    rect.bottom = rect.top + m_rows.actual[row];
    return rect;
}

void CSplitterWnd::RecalcLayout()
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    Distribute(m_cols, client.right);
    Distribute(m_rows, client.bottom);
    for (int row = 0; row < static_cast<int>(m_rows.actual.size()); ++row) {
        for (int col = 0; col < static_cast<int>(m_cols.actual.size()); ++col) {
            RECT rect = PaneRect(row, col);
            if (HWND pane = GetPane(row, col))
                ::MoveWindow(pane, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
        }
    }
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// The index of the bar of track at position along it (the pane before the
// bar), or -1.
int CSplitterWnd::HitTrackBar(const Track& track, int position)
{
    int start = 0;
    for (size_t pane = 0; pane + 1 < track.actual.size(); ++pane) {
        start += track.actual[pane] + 2 * kBorder;
        if (position >= start - kBorder && position < start + kBar + kBorder)
            return static_cast<int>(pane);
        start += kBar;
    }
    return -1;
}

// Returns the index of the bar under point (the pane before it), or -1.
int CSplitterWnd::HitBar(POINT point, bool& vertical) const
{
    int bar = HitTrackBar(m_cols, point.x);
    vertical = bar >= 0;
    if (bar < 0)
        bar = HitTrackBar(m_rows, point.y);
    return bar;
}

void CSplitterWnd::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    for (int row = 0; row < static_cast<int>(m_rows.actual.size()); ++row) {
        for (int col = 0; col < static_cast<int>(m_cols.actual.size()); ++col) {
            RECT rect = PaneRect(row, col);
            ::InflateRect(&rect, kBorder, kBorder);
            ::DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
        }
    }
    ::EndPaint(m_hWnd, &paint);
}

void CSplitterWnd::OnLButtonDown(POINT point)
{
    m_dragBar = HitBar(point, m_dragVertical);
    if (m_dragBar >= 0)
        ::SetCapture(m_hWnd);
}

void CSplitterWnd::OnMouseMove(POINT point)
{
    if (m_dragBar < 0 || ::GetCapture() != m_hWnd)
        return;
    Track& track = m_dragVertical ? m_cols : m_rows;
    int start = 0;
    for (int i = 0; i < m_dragBar; ++i)
        start += track.actual[i] + kCell;
    int position = m_dragVertical ? static_cast<short>(point.x) : static_cast<short>(point.y);
    track.ideal[m_dragBar] = std::max(0, position - start - kBorder);
    RecalcLayout();
}

bool CSplitterWnd::OnSetCursor()
{
    POINT point;
    ::GetCursorPos(&point);
    ::ScreenToClient(m_hWnd, &point);
    bool vertical = false;
    if (m_dragBar < 0 && HitBar(point, vertical) < 0)
        return false;
    if (m_dragBar >= 0)
        vertical = m_dragVertical;
    ::SetCursor(::LoadCursorA(nullptr, vertical ? IDC_SIZEWE : IDC_SIZENS));
    return true;
}

LRESULT CSplitterWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    POINT point = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(point);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(point);
        return 0;
    case WM_LBUTTONUP:
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_dragBar = -1;
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wp) == m_hWnd && OnSetCursor())
            return TRUE;
        break;
    default:
        break;
    }
    return Default();
}
