// CTreeListPane: what the panes made of a tree beside a two-column list share
// (the attribute view, whose tree is the object tree in the other pane, the
// registry pane and the dependency pane): the layout of tree and list by
// shares of the pane's width, the sizing of the list's two columns, and
// copying the second column of the selected row, by menu or by Ctrl+C, and
// the one image list of tree and list.
#ifndef ORRERY_APP_TREE_LIST_PANE_H
#define ORRERY_APP_TREE_LIST_PANE_H

#include <windows.h>
#include <commctrl.h>

class CTreeListPane {
public:
    struct Shares {
        double tree;          // of the pane's width; 0: the pane has no tree
        double list;          // of the pane's width, 4 pixels of gap taken from it
        double firstColumn;   // of the list's width
        double secondColumn;
    };

    // Sizes the two columns of list by shares of the list window's width.
    static void SizeColumns(HWND list, double firstShare, double secondShare);
    // Copies the second column of the first selected row to the clipboard;
    // false when no row is selected.
    static bool CopySelectedValue(HWND list);
    // True for the list notification of Ctrl+C.
    static bool IsCopyKey(const NMHDR& header);
    // Opens the first popup of the program's menu resource menuId at the
    // cursor, its commands going to owner.
    static void ShowMenuAtCursor(UINT menuId, HWND owner);

protected:
    explicit CTreeListPane(const Shares& shares) : m_shares(shares) {}
    ~CTreeListPane();
    CTreeListPane(const CTreeListPane&) = delete;
    CTreeListPane& operator=(const CTreeListPane&) = delete;

    // Gives tree (null for none) and list the image list images, which the
    // pane owns from then on, selects whole rows of the list and heads its
    // two columns.
    void SetUpTreeAndList(HWND tree, HWND list, HIMAGELIST images, const char* firstHeading,
                          const char* secondHeading);
    // Removes every item of tree and every row of list.
    static void ClearTreeAndList(HWND tree, HWND list);

    // Places tree (null for none) and list over width x height and sizes the
    // list's columns. Nothing happens while the layout is suspended.
    void LayOutTreeAndList(HWND tree, HWND list, int width, int height) const;

private:
    Shares m_shares;
    HIMAGELIST m_images = nullptr;
};

#endif
