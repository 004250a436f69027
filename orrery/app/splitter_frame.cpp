#include "orrery/app/splitter_frame.h"

#include <algorithm>

void CSplitterFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    cs.cx = static_cast<int>(0.85 * screenWidth);
    cs.cy = static_cast<int>(0.85 * screenHeight);
    cs.x = (screenWidth - cs.cx) / 2;
    cs.y = (screenHeight - cs.cy) / 2;
}

bool CSplitterFrame::OnCreate(CCreateContext* context)
{
    if (!CFrameWnd::OnCreate(context))
        return false;
    if (!GetToolBar().Create(m_hWnd, IDR_MAINFRAME) || !GetStatusBar().Create(m_hWnd))
        return false;
    static const UINT kIndicators[] = {ID_SEPARATOR, ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                       ID_INDICATOR_SCRL};
    GetStatusBar().SetIndicators(kIndicators, 5);
    GetStatusBar().SetPaneInfo(PaneItemCount, ID_SEPARATOR, kItemCountWidth);
    return true;
}

template <class View>
View* CSplitterFrame::CreatePane(View* view, CSplitterWnd& splitter, int row, int col, CCreateContext* context)
{
    RECT rect = {0, 0, 0, 0};
    if (!view || !view->Create(this, context ? context->document : nullptr, splitter.GetSafeHwnd(),
                               splitter.IdFromRowCol(row, col), rect)) {
        delete view;
        return nullptr;
    }
    return view;
}

bool CSplitterFrame::OnCreateClient(CCreateContext* context)
{
    RECT frame = {};
    ::GetWindowRect(m_hWnd, &frame);
    if (!m_outer.CreateStatic(m_hWnd, 1, 2, IDW_PANE_FIRST, false))
        return false;
    CView* treeView = context && context->newView ? context->newView() : new CObjectTree;
    m_objectTree = CreatePane(dynamic_cast<CObjectTree*>(treeView), m_outer, 0, 0, context);
    if (!m_objectTree) {
        if (!dynamic_cast<CObjectTree*>(treeView))
            delete treeView;
        return false;
    }
    m_outer.SetColumnInfo(0, kTreeWidth);
    if (!m_inner.CreateStatic(m_outer.GetSafeHwnd(), 2, 1, m_outer.IdFromRowCol(0, 1), true))
        return false;
    m_attributeView = CreatePane(new CQuillonView, m_inner, 0, 0, context);
    m_tabView = CreatePane(new CTabView, m_inner, 1, 0, context);
    if (!m_attributeView || !m_tabView)
        return false;
    m_inner.SetRowInfo(0, std::max((frame.bottom - frame.top) / 2, 100L));
    m_inner.SetRowInfo(1, 0, kTabViewMinimum);
    SetActiveView(m_objectTree, false);
    return true;
}

bool CSplitterFrame::OnUpdateCmdUI(CCmdUI& ui)
{
    if (m_objectTree && GetActiveView() != m_objectTree && m_objectTree->OnUpdateCmdUI(ui))
        return true;
    return CFrameWnd::OnUpdateCmdUI(ui);
}

bool CSplitterFrame::OnCmdMsg(UINT id)
{
    if (m_objectTree && GetActiveView() != m_objectTree && m_objectTree->OnCmdMsg(id))
        return true;
    return CFrameWnd::OnCmdMsg(id);
}
