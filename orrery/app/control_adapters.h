// The records write their rows and keys through small list and tree
// interfaces; these adapters put them into a report-style list view and a
// tree view, drawing each kind of row or item with the image the view chose
// for it.
#ifndef ORRERY_APP_CONTROL_ADAPTERS_H
#define ORRERY_APP_CONTROL_ADAPTERS_H

#include "orrery/catalogue/list_and_tree.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

// An index no image list has: the row or item is drawn without a picture.
const int kNoImage = -1;

// A view's image for each kind of row, as indexes into its image list.
struct CRowImages {
    int registry;
    int file;
    int version;
    int missing;

    int Of(orrery::RowKind kind) const;
};

// A view's images for each kind of tree item.
struct CItemImages {
    int key;
    int openKey;  // a key while it is selected
    int foundDll;
    int missingDll;

    int Of(orrery::ItemKind kind) const;
    int SelectedOf(orrery::ItemKind kind) const;
};

class CListViewRows : public orrery::CTwoColumnList {
public:
    CListViewRows(HWND list, const CRowImages& images) : m_list(list), m_images(images) {}
    void AppendRow(const std::string& label, const std::string& value, orrery::RowKind kind) override;

private:
    HWND m_list;
    CRowImages m_images;
};

class CTreeViewItems : public orrery::CTreeControl {
public:
    CTreeViewItems(HWND tree, const CItemImages& images) : m_tree(tree), m_images(images) {}
    orrery::TreeItem InsertItem(orrery::TreeItem parent, const std::string& text, orrery::ItemKind kind,
                                orrery::CComFile* data) override;
    void Expand(orrery::TreeItem item) override;

private:
    HWND m_tree;
    CItemImages m_images;
};

// Small helpers over the common controls shared by the views.
namespace controls {

// A masked 16 x 16 image list from bitmaps in which white is transparent.
HIMAGELIST CreateImageList(const int* bitmapIds, int count);
// The image list of an object's attribute list (main window and details
// window), and the image of each kind of row in it.
HIMAGELIST CreateAttributeImages();
extern const CRowImages kAttributeRowImages;
// A list view inserts a row at its end with a label and an image; the
// value goes into column 1. Returns the row, or -1.
int AppendListRow(HWND list, const std::string& label, const std::string& value, int image, LPARAM data = 0);
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
