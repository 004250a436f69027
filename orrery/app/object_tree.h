// CObjectTree: the left pane, three category tabs over a tree of the
// registered objects of the chosen category. It owns the object catalogue,
// fills the tree from it, keeps the selected record that every object command
// works on, and refreshes the right-hand panes when the selection changes.
#ifndef ORRERY_APP_OBJECT_TREE_H
#define ORRERY_APP_OBJECT_TREE_H

#include "orrery/catalogue/catalogue.h"
#include "orrery/reports/registry_jump.h"
#include "orrery/framework/view.h"
#include "orrery/res/resource.h"

#include <commctrl.h>

#include <string>

class CSplashWnd;
class CSplitterFrame;

class CObjectTree : public CFormView {
public:
    // The tree's and the tabs' images: each category's own image is its
    // ObjectCategory (0 to 2), then these.
    static const int kMisbehavedImage = 3;
    static const int kMissingDependencyImage = 4;

    CObjectTree();
    ~CObjectTree() override;
    void OnInitialUpdate() override;

    HWND GetTree() const { return GetDlgItem(IDC_OBJECT_TREE); }
    HWND GetTabs() const { return GetDlgItem(IDC_CATEGORY_TABS); }
    orrery::CCatalogue& Catalogue() { return m_catalogue; }

    // Rebuilds the catalogue: clear, scan, fill the tree. With
    // showWaitWindow the search wait window stands while it runs; each
    // progress text goes to the progress window when one is given.
    void RefreshCatalogue(bool showWaitWindow, CSplashWnd* progressWindow);
    // Shows the records of the current category that the display options
    // let in, under a root item named after the tab.
    void FillTree();
    // Refills the attribute list and the two lower panes for the selected
    // record, or empties them when there is none.
    void ShowSelectedObject();
    // Drops the selected record from the tree and from the current list.
    void RemoveSelectedRecord();
    // Selects a category tab and refills the tree, as a click on it does.
    void SelectTab(int tab);

    int CurrentTab() const;
    std::string CurrentTabText() const;
    orrery::CObjectList* CurrentList();
    HTREEITEM GetSelectedItem() const { return m_selectedItem; }
    orrery::CComObject* GetSelectedRecord() const;

    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;
    // True when the view has a handler for the command id.
    static bool HasHandler(UINT id);

    // Enable rules of the object commands.
    bool HasSelection() const;
    bool HasFoundSelection() const;
    bool CanUnregister() const;
    bool IsServerTab() const;
    bool CanRunExeServer() const;
    bool CanViewInBrowser() const;

    // Handlers.
    void OnGotoFileLocation();
    void OnRunExeServer();
    // Register, Unregister and Remove from Registry (object_tree_maintenance.cpp).
    void OnRegister();
    void OnUnregister();
    void OnRemoveFromRegistry();
    // Compare With, View in IE and the jumps to the registry editor.
    void OnCompareWith();
    void OnViewInBrowser();
    void OnJumpToClsid();
    void OnJumpToProgId();
    void OnJumpToTypeLib();

protected:
    void OnSize(int cx, int cy) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnDestroy() override;

private:
    CSplitterFrame* Frame() const;
    void OnSelectionChanged(HTREEITEM item);
    void OnRightClick();
    void OnKeyDown(WORD key);
    // Makes the tree's caret item the selected item again.
    void ReselectCaretItem();
    // Gives the keyboard back to the tree after a command whose boxes or
    // wait window took it, while this view is the active one.
    void RefocusTree();
    void JumpTo(orrery::JumpTarget target);
    // Runs one of the tools on the selected object, over the top window.
    void RunTool(void (*tool)(orrery::CComObject& record, HWND owner));
    void ShowItemCount();
    std::string TreeLabel(orrery::CComObject& record) const;

    orrery::CCatalogue m_catalogue;
    HIMAGELIST m_images = nullptr;
    HTREEITEM m_selectedItem = nullptr;
    // Set while FillTree runs; the tree's selection notices are then ignored.
    bool m_filling = false;
};

#endif
