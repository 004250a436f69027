#include "orrery/app/tree_list_pane.h"

#include "orrery/app/clipboard.h"
#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"

namespace {

const int kGap = 4;

} // namespace

CTreeListPane::~CTreeListPane()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

void CTreeListPane::SetUpTreeAndList(HWND tree, HWND list, HIMAGELIST images, const char* firstHeading,
                                     const char* secondHeading)
{
    m_images = images;
    if (tree)
        ::SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    controls::InsertColumn(list, 0, firstHeading, 50);
    controls::InsertColumn(list, 1, secondHeading, 50);
}

void CTreeListPane::ClearTreeAndList(HWND tree, HWND list)
{
    ::SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0)
        ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
}

void CTreeListPane::SizeColumns(HWND list, double firstShare, double secondShare)
{
    int width = controls::WindowWidth(list);
    ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, static_cast<int>(firstShare * width));
    ::SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, static_cast<int>(secondShare * width));
}

bool CTreeListPane::CopySelectedValue(HWND list)
{
    int row = static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
    if (row < 0)
        return false;
    CopyTextToClipboard(controls::ListItemText(list, row, 1));
    return true;
}

void CTreeListPane::ShowMenuAtCursor(UINT menuId, HWND owner)
{
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
    if (!menu)
        return;
    POINT point;
    ::GetCursorPos(&point);
    ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner, nullptr);
    ::DestroyMenu(menu);
}

bool CTreeListPane::IsCopyKey(const NMHDR& header)
{
    if (header.code != LVN_KEYDOWN)
        return false;
    const NMLVKEYDOWN& key = reinterpret_cast<const NMLVKEYDOWN&>(header);
    return key.wVKey == 'C' && ::GetKeyState(VK_CONTROL) < 0;
}

void CTreeListPane::LayOutTreeAndList(HWND tree, HWND list, int width, int height) const
{
    if (IsLayoutSuspended())
        return;
    if (tree) {
        int treeWidth = static_cast<int>(m_shares.tree * width);
        controls::Place(tree, 0, 0, treeWidth, height);
        controls::Place(list, kGap + treeWidth, 0, static_cast<int>(m_shares.list * width) - kGap, height);
    } else {
        controls::Place(list, 0, 0, static_cast<int>(m_shares.list * width), height);
    }
    SizeColumns(list, m_shares.firstColumn, m_shares.secondColumn);
    ::InvalidateRect(list, nullptr, TRUE);
}
