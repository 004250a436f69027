// CSplitterFrame: orrery's main window. An outer splitter puts the object
// tree on the left and an inner splitter on the right, which stacks the
// attribute list over the tabbed dependency and registry panes. It carries
// the menu, the toolbar and the status bar with the item-count pane.
#ifndef ORRERY_APP_SPLITTER_FRAME_H
#define ORRERY_APP_SPLITTER_FRAME_H

#include "orrery/app/object_tree.h"
#include "orrery/app/quillon_view.h"
#include "orrery/app/tab_view.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/splitter_wnd.h"

class CSplitterFrame : public CFrameWnd {
public:
    // Status bar panes.
    enum { PaneMessage = 0, PaneItemCount = 1 };
    static constexpr int kTreeWidth = 280;
    static constexpr int kItemCountWidth = 55;
    // The tabbed lower right pane keeps this much height (its tabs and a few
    // rows) while the attribute list above it gives way.
    static constexpr int kTabViewMinimum = 96;

    CObjectTree* GetObjectTree() const { return m_objectTree; }
    CQuillonView* GetAttributeView() const { return m_attributeView; }
    CTabView* GetTabView() const { return m_tabView; }
    CSplitterWnd& GetOuterSplitter() { return m_outer; }
    CSplitterWnd& GetInnerSplitter() { return m_inner; }

    // The object commands work on the tree's selected object whichever pane
    // is active: after the active pane, the frame offers them to the tree.
    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;

protected:
    void PreCreateWindow(CREATESTRUCTA& cs) override;
    bool OnCreate(CCreateContext* context) override;
    bool OnCreateClient(CCreateContext* context) override;

private:
    template <class View>
    View* CreatePane(View* view, CSplitterWnd& splitter, int row, int col, CCreateContext* context);

    CSplitterWnd m_outer;
    CSplitterWnd m_inner;
    CObjectTree* m_objectTree = nullptr;
    CQuillonView* m_attributeView = nullptr;
    CTabView* m_tabView = nullptr;
};

#endif
