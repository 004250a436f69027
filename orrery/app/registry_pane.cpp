#include "orrery/app/registry_pane.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/res/resource.h"

#include <commctrl.h>

CRegistryEntriesPane::CRegistryEntriesPane() : CDialog(IDD_REGISTRY_PANE) {}

CRegistryEntriesPane::~CRegistryEntriesPane()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

bool CRegistryEntriesPane::OnInitDialog()
{
    static const int kBitmaps[] = {IDB_KEY_CLOSED, IDB_KEY_OPEN, IDB_STRING_VALUE, IDB_OTHER_VALUE};
    m_images = controls::CreateImageList(kBitmaps, 4);
    ::SendMessageA(GetKeyTree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
    ::SendMessageA(GetValueList(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images));
    ::SendMessageA(GetValueList(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    controls::InsertColumn(GetValueList(), 0, "Value", 50);
    controls::InsertColumn(GetValueList(), 1, "Data", 50);
    return false;
}

void CRegistryEntriesPane::Clear()
{
    ::SendMessageA(GetKeyTree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (::SendMessageA(GetValueList(), LVM_GETITEMCOUNT, 0, 0) > 0)
        ::SendMessageA(GetValueList(), LVM_DELETEALLITEMS, 0, 0);
}

// The key tree takes 45% of the width; the value list the rest, 4 pixels
// apart.
void CRegistryEntriesPane::Layout(int width, int height)
{
    if (IsLayoutSuspended())
        return;
    int treeWidth = static_cast<int>(0.45 * width);
    controls::Place(GetKeyTree(), 0, 0, treeWidth, height);
    int listWidth = static_cast<int>(0.55 * width) - 4;
    controls::Place(GetValueList(), 4 + treeWidth, 0, listWidth, height);
    int listWindowWidth = controls::WindowWidth(GetValueList());
    ::SendMessageA(GetValueList(), LVM_SETCOLUMNWIDTH, 0, static_cast<int>(0.25 * listWindowWidth));
    ::SendMessageA(GetValueList(), LVM_SETCOLUMNWIDTH, 1, static_cast<int>(0.70 * listWindowWidth));
}

LRESULT CRegistryEntriesPane::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_SIZE) {
        Layout(LOWORD(lp), HIWORD(lp));
        return 0;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
