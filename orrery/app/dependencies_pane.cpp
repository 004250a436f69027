#include "orrery/app/dependencies_pane.h"

#include "orrery/app/control_adapters.h"
#include "orrery/catalogue/com_object.h"
#include "orrery/res/resource.h"

#include <commctrl.h>

#include <memory>
#include <utility>

namespace {

// The pane's one image list: the tree's found and missing marks, and the
// file and version rows of the list.
const int kBitmaps[] = {IDB_DEPENDENCY, IDB_MISBEHAVED, IDB_FILE_ROW, IDB_VERSION_ROW};
const CItemImages kDllImages = {kNoImage, kNoImage, 0, 1};
const CRowImages kFileRowImages = {2, 2, 3, 1};

} // namespace

CDependenciesPane::CDependenciesPane() : CDialog(IDD_DEPENDENCIES_PANE), CTreeListPane({0.30, 0.70, 0.30, 0.65})
{
}

bool CDependenciesPane::OnInitDialog()
{
    SetUpTreeAndList(GetDependencyTree(), GetAttributeList(), controls::CreateImageList(kBitmaps, 4), "Name", "Value");
    return false;
}

void CDependenciesPane::Clear()
{
    ClearTreeAndList(GetDependencyTree(), GetAttributeList());
    m_records.clear();
}

void CDependenciesPane::FillDependencies(orrery::CComObject& record)
{
    CTreeViewItems items(GetDependencyTree(), kDllImages);
    orrery::CFileRecords records = record.FillDependencyTree(items);
    for (std::unique_ptr<orrery::CComFile>& held : records)
        m_records.push_back(std::move(held));
}

void CDependenciesPane::ShowDependency(HTREEITEM item)
{
    HWND list = GetAttributeList();
    controls::SetRedraw(list, false);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    if (auto* record = reinterpret_cast<orrery::CComFile*>(controls::TreeItemData(GetDependencyTree(), item))) {
        CListViewRows rows(list, kFileRowImages);
        record->FillAttributeList(rows);
    }
    controls::SetRedraw(list, true);
}

LRESULT CDependenciesPane::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        // The tree takes 30% of the width; the list the rest, 4 pixels apart.
        LayOutTreeAndList(GetDependencyTree(), GetAttributeList(), LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lp);
        if (header->idFrom == IDC_DEPENDENCY_TREE && header->code == TVN_SELCHANGEDA) {
            ShowDependency(reinterpret_cast<const NMTREEVIEWA*>(lp)->itemNew.hItem);
            return 0;
        }
        if (header->idFrom == IDC_DEPENDENCY_LIST && IsCopyKey(*header)) {
            CopySelectedValue(GetAttributeList());
            return 0;
        }
        break;
    }
    case WM_DESTROY:
        Clear();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
