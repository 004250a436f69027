// CDependenciesPane: the DLLs a server file imports, in a flat tree beside
// the attribute list of the selected DLL. The pane owns the dependency
// records its tree items point to.
#ifndef ORRERY_APP_DEPENDENCIES_PANE_H
#define ORRERY_APP_DEPENDENCIES_PANE_H

#include "orrery/app/tree_list_pane.h"
#include "orrery/catalogue/com_file.h"
#include "orrery/framework/dialog.h"
#include "orrery/res/resource.h"

namespace orrery {
class CComObject;
}

class CDependenciesPane : public CDialog, private CTreeListPane {
public:
    CDependenciesPane();

    HWND GetDependencyTree() const { return GetDlgItem(IDC_DEPENDENCY_TREE); }
    HWND GetAttributeList() const { return GetDlgItem(IDC_DEPENDENCY_LIST); }
    // Removes the tree's items and the attribute rows, then destroys the
    // records the items pointed to.
    void Clear();
    // Inserts the DLLs record's server file depends on into the (cleared)
    // tree and keeps their records.
    void FillDependencies(orrery::CComObject& record);

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowDependency(HTREEITEM item);

    orrery::CFileRecords m_records;
};

#endif
