// The records write their rows and keys through small list and tree
// interfaces; these adapters put them into a report-style list view and a
// tree view.
#ifndef ORRERY_APP_CONTROL_ADAPTERS_H
#define ORRERY_APP_CONTROL_ADAPTERS_H

#include "orrery/catalogue/list_and_tree.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

class CListViewRows : public orrery::CTwoColumnList {
public:
    explicit CListViewRows(HWND list) : m_list(list) {}
    void AppendRow(const std::string& label, const std::string& value, int image) override;

private:
    HWND m_list;
};

class CTreeViewItems : public orrery::CTreeControl {
public:
    explicit CTreeViewItems(HWND tree) : m_tree(tree) {}
    orrery::TreeItem InsertItem(orrery::TreeItem parent, const std::string& text, int image, int selectedImage,
                                orrery::CComFile* data) override;
    void Expand(orrery::TreeItem item) override;

private:
    HWND m_tree;
};

// Small helpers over the common controls shared by the views.
namespace controls {

// A masked 16 x 16 image list from bitmaps in which white is transparent.
HIMAGELIST CreateImageList(const int* bitmapIds, int count);
void InsertColumn(HWND list, int index, const char* title, int width);
std::string ListItemText(HWND list, int row, int column);
std::string TreeItemText(HWND tree, HTREEITEM item);
LPARAM TreeItemData(HWND tree, HTREEITEM item);
// Turns redrawing of a control off, or on again with a repaint.
void SetRedraw(HWND control, bool redraw);
// Moves a child window to x, y with the given width and height.
void Place(HWND control, int x, int y, int width, int height);
// The height of a child window.
int WindowHeight(HWND control);
int WindowWidth(HWND control);
// The bold variant of the default GUI font; made once, kept for the process.
HFONT BoldGuiFont();

} // namespace controls

#endif
