#include "orrery/app/control_adapters.h"

#include "orrery/res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

int CRowImages::Of(orrery::RowKind kind) const
{
    switch (kind) {
    case orrery::RowKind::Registry:
        return registry;
    case orrery::RowKind::File:
        return file;
    case orrery::RowKind::Version:
        return version;
    case orrery::RowKind::Missing:
        return missing;
    }
    return kNoImage;
}

int CItemImages::Of(orrery::ItemKind kind) const
{
    if (kind == orrery::ItemKind::RegistryKey)
        return key;
    return kind == orrery::ItemKind::FoundDll ? foundDll : missingDll;
}

int CItemImages::SelectedOf(orrery::ItemKind kind) const
{
    return kind == orrery::ItemKind::RegistryKey ? openKey : Of(kind);
}

void CListViewRows::AppendRow(const std::string& label, const std::string& value, orrery::RowKind kind)
{
    controls::AppendListRow(m_list, label, value, m_images.Of(kind));
}

orrery::TreeItem CTreeViewItems::InsertItem(orrery::TreeItem parent, const std::string& text,
                                            orrery::ItemKind kind, orrery::CComFile* data)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent ? static_cast<HTREEITEM>(parent) : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = m_images.Of(kind);
    insert.item.iSelectedImage = m_images.SelectedOf(kind);
    insert.item.lParam = reinterpret_cast<LPARAM>(data);
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(m_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CTreeViewItems::Expand(orrery::TreeItem item)
{
    ::SendMessageA(m_tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

namespace controls {

HIMAGELIST CreateImageList(const int* bitmapIds, int count)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, count, 1);
    for (int i = 0; i < count; ++i) {
        HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr),
                                                           MAKEINTRESOURCEA(bitmapIds[i]), IMAGE_BITMAP, 0, 0,
                                                           LR_CREATEDIBSECTION));
        ImageList_AddMasked(images, bitmap, RGB(255, 255, 255));
        ::DeleteObject(bitmap);
    }
    return images;
}

// Registry, file, version and warning rows, in the order of kAttributeRowImages.
const int kAttributeBitmaps[] = {IDB_REGISTRY_ROW, IDB_FILE_ROW, IDB_VERSION_ROW, IDB_WARNING_ROW};
const CRowImages kAttributeRowImages = {0, 1, 2, 3};

HIMAGELIST CreateAttributeImages()
{
    return CreateImageList(kAttributeBitmaps, 4);
}

int AppendListRow(HWND list, const std::string& label, const std::string& value, int image, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(label.c_str());
    item.iImage = image;
    item.lParam = data;
    int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0)
        return row;
    LVITEMA sub = {};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(value.c_str());
    ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&sub));
    return row;
}

void InsertColumn(HWND list, int index, const char* title, int width)
{
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    column.iSubItem = index;
    ::SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

// The list hands out at most the buffer's size less one character, so a text
// that fills the buffer may have been cut: ask again with a larger one.
std::string ListItemText(HWND list, int row, int column)
{
    const size_t kLargestText = 1u << 20;
    for (size_t size = 1024;; size *= 4) {
        std::vector<char> buffer(size);
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        int length =
            static_cast<int>(::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        size_t copied = static_cast<size_t>(std::max(0, length));
        if (copied + 1 < size || size >= kLargestText)
            return std::string(buffer.data(), std::min(copied, size - 1));
    }
}

std::string TreeItemText(HWND tree, HTREEITEM item)
{
    char buffer[1024] = "";
    TVITEMA data = {};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = sizeof buffer;
    if (!item || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return std::string();
    return buffer;
}

LPARAM TreeItemData(HWND tree, HTREEITEM item)
{
    TVITEMA data = {};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!item || !::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data)))
        return 0;
    return data.lParam;
}

void SetRedraw(HWND control, bool redraw)
{
    ::SendMessageA(control, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw)
        ::InvalidateRect(control, nullptr, TRUE);
}

void Place(HWND control, int x, int y, int width, int height)
{
    ::MoveWindow(control, x, y, std::max(0, width), std::max(0, height), TRUE);
}

int WindowHeight(HWND control)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    return rect.bottom - rect.top;
}

int WindowWidth(HWND control)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    return rect.right - rect.left;
}

HFONT BoldGuiFont()
{
    static HFONT bold = [] {
        LOGFONTA font = {};
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
        font.lfWeight = FW_BOLD;
        return ::CreateFontIndirectA(&font);
    }();
    return bold;
}

} // namespace controls
