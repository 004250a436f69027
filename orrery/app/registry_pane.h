// CRegistryEntriesPane: the object's registry keys in a tree beside a list of
// the selected key's values, sorted by name. String values are edited in
// place through CEditValueDlg; a menu on the list (owned by the pane, which
// handles its commands) edits or copies a value. Created as a child window
// from its template by the tab view and by the details window.
#ifndef ORRERY_APP_REGISTRY_PANE_H
#define ORRERY_APP_REGISTRY_PANE_H

#include "orrery/app/tree_list_pane.h"
#include "orrery/catalogue/registry_values.h"
#include "orrery/framework/dialog.h"
#include "orrery/res/resource.h"

#include <string>
#include <vector>

namespace orrery {
class CComObject;
}

class CRegistryEntriesPane : public CDialog, private CTreeListPane {
public:
    CRegistryEntriesPane();

    HWND GetKeyTree() const { return GetDlgItem(IDC_REGISTRY_TREE); }
    HWND GetValueList() const { return GetDlgItem(IDC_REGISTRY_VALUES); }
    // Removes every key and value row.
    void Clear();
    // Inserts the keys of record's class into the (cleared) tree.
    void FillKeys(orrery::CComObject& record);

    // Lists the values of the key item stands for; nothing for no item or
    // the root. The list stays empty when the key cannot be opened.
    void ListValues(HTREEITEM item);
    // The key whose values are listed, below HKEY_CLASSES_ROOT.
    const std::string& GetCurrentKeyPath() const { return m_currentKeyPath; }
    // The path of the key item stands for: the item texts below the root,
    // joined with backslashes.
    std::string KeyPathOf(HTREEITEM item) const;

    // Edits the value of a row (a double-click does this); nothing for -1.
    void EditValue(int row);
    // The value menu's commands: both take the first selected row.
    void OnEditValue();
    void OnCopyValue();

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool OnNotify(const NMHDR& header);
    void ShowValueMenu();
    int SelectedRow() const;
    const orrery::CRegistryValue* ValueOfRow(int row) const;

    std::string m_currentKeyPath;
    std::vector<orrery::CRegistryValue> m_values;   // as listed, sorted by name
    std::vector<size_t> m_rowValues;                 // per row of the list: its index in m_values
};

#endif
