#include "orrery/app/registry_pane.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/edit_value_dlg.h"
#include "orrery/app/message_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/catalogue/com_object.h"
#include "orrery/catalogue/registry_values.h"
#include "orrery/framework/cmd_target.h"
#include "orrery/platform/system_error.h"

#include <commctrl.h>

#include <vector>

namespace {

const char kNotAString[] =
    "Only string values can be edited by Orrery (REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ).\n\n";

// The pane's one image list: key images for the tree, value images for the list.
const int kBitmaps[] = {IDB_KEY_CLOSED, IDB_KEY_OPEN, IDB_STRING_VALUE, IDB_OTHER_VALUE};
const CItemImages kKeyImages = {0, 1, kNoImage, kNoImage};
const int kStringValueImage = 2;
const int kOtherValueImage = 3;

// The row the sorted list put the value in, or -1.
int InsertValueRow(HWND list, const orrery::CRegistryValue& value)
{
    int image = orrery::IsStringValueType(value.type) ? kStringValueImage : kOtherValueImage;
    return controls::AppendListRow(list, value.name, value.text, image, static_cast<LPARAM>(value.type));
}

// The value menu's commands.
const CCommandEntry<CRegistryEntriesPane> kValueCommands[] = {
    {ID_EDIT_VALUE, nullptr, &CRegistryEntriesPane::OnEditValue},
    {ID_COPY_VALUE, nullptr, &CRegistryEntriesPane::OnCopyValue},
};

unsigned long RowType(HWND list, int row)
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<unsigned long>(item.lParam);
}

} // namespace

CRegistryEntriesPane::CRegistryEntriesPane() : CDialog(IDD_REGISTRY_PANE), CTreeListPane({0.45, 0.55, 0.25, 0.70})
{
}

bool CRegistryEntriesPane::OnInitDialog()
{
    SetUpTreeAndList(GetKeyTree(), GetValueList(), controls::CreateImageList(kBitmaps, 4), "Value", "Data");
    return false;
}

void CRegistryEntriesPane::Clear()
{
    ClearTreeAndList(GetKeyTree(), GetValueList());
}

void CRegistryEntriesPane::FillKeys(orrery::CComObject& record)
{
    CTreeViewItems keys(GetKeyTree(), kKeyImages);
    record.FillRegistryTree(keys);
}

std::string CRegistryEntriesPane::KeyPathOf(HTREEITEM item) const
{
    HWND tree = GetKeyTree();
    std::string path = controls::TreeItemText(tree, item);
    for (HTREEITEM parent = TreeView_GetParent(tree, item); parent && TreeView_GetParent(tree, parent);
         parent = TreeView_GetParent(tree, parent))
        path = controls::TreeItemText(tree, parent) + "\\" + path;
    return path;
}

void CRegistryEntriesPane::ListValues(HTREEITEM item)
{
    HWND list = GetValueList();
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    m_values.clear();
    m_rowValues.clear();
    if (!item || !TreeView_GetParent(GetKeyTree(), item))
        return;
    m_currentKeyPath = KeyPathOf(item);
    if (!orrery::ListKeyValues(Machine().registry, m_currentKeyPath, &m_values))
        return;
    controls::SetRedraw(list, false);
    for (size_t index = 0; index < m_values.size(); ++index) {
        int row = InsertValueRow(list, m_values[index]);
        if (row >= 0 && static_cast<size_t>(row) <= m_rowValues.size())
            m_rowValues.insert(m_rowValues.begin() + row, index);
    }
    controls::SetRedraw(list, true);
}

int CRegistryEntriesPane::SelectedRow() const
{
    return static_cast<int>(::SendMessageA(GetValueList(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

// The listed value a row shows: rows of the same name (the key's unnamed
// value and a value really named "(Default)") are told apart by where the
// list put each one when it was inserted.
const orrery::CRegistryValue* CRegistryEntriesPane::ValueOfRow(int row) const
{
    if (row < 0 || static_cast<size_t>(row) >= m_rowValues.size())
        return nullptr;
    return &m_values[m_rowValues[row]];
}

// A failed write is told with the value's name and the system's reason; the
// list is read again either way, so it shows what the registry holds.
void CRegistryEntriesPane::EditValue(int row)
{
    const orrery::CRegistryValue* value = row < 0 ? nullptr : ValueOfRow(row);
    if (!value)
        return;
    HWND list = GetValueList();
    std::string name = controls::ListItemText(list, row, 0);
    std::string storedName = value->storedName;
    unsigned long type = RowType(list, row);
    if (!orrery::IsStringValueType(type)) {
        ShowMessage(kNotAString + name + " is not a string.");
        return;
    }
    std::string data = controls::ListItemText(list, row, 1);
    CEditValueDlg dialog(name, data);
    if (dialog.DoModal(::GetAncestor(m_hWnd, GA_ROOT)) != IDOK)
        return;
    long result = orrery::WriteStringValue(Machine().registry, m_currentKeyPath, storedName, type, data);
    if (result != orrery::kRegSuccess)
        ShowMessage("The value " + name + " could not be changed.\n\n" + orrery::SystemErrorText(static_cast<DWORD>(result)));
    ListValues(TreeView_GetSelection(GetKeyTree()));
}

void CRegistryEntriesPane::OnEditValue()
{
    EditValue(SelectedRow());
}

void CRegistryEntriesPane::OnCopyValue()
{
    CopySelectedValue(GetValueList());
}

void CRegistryEntriesPane::ShowValueMenu()
{
    ShowMenuAtCursor(IDR_VALUE_MENU, m_hWnd);
}

bool CRegistryEntriesPane::OnCommand(UINT id, UINT code, HWND control)
{
    return DispatchFromTable(this, kValueCommands, id) || CDialog::OnCommand(id, code, control);
}

bool CRegistryEntriesPane::OnNotify(const NMHDR& header)
{
    if (header.idFrom == IDC_REGISTRY_TREE && header.code == TVN_SELCHANGEDA) {
        ListValues(reinterpret_cast<const NMTREEVIEWA&>(header).itemNew.hItem);
        return true;
    }
    if (header.idFrom != IDC_REGISTRY_VALUES)
        return false;
    switch (header.code) {
    case NM_DBLCLK:
        EditValue(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return true;
    case NM_RCLICK:
        ShowValueMenu();
        return true;
    default:
        if (!IsCopyKey(header))
            return false;
        OnCopyValue();
        return true;
    }
}

LRESULT CRegistryEntriesPane::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        // The key tree takes 45% of the width; the value list the rest, 4
        // pixels apart.
        LayOutTreeAndList(GetKeyTree(), GetValueList(), LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_NOTIFY:
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lp)))
            return 0;
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
