// CDependenciesPane: the DLLs a server file imports, in a flat tree beside
// the attribute list of the selected DLL. The tree owns the dependency
// records held in its items' data.
#ifndef ORRERY_APP_DEPENDENCIES_PANE_H
#define ORRERY_APP_DEPENDENCIES_PANE_H

#include "orrery/app/tree_list_pane.h"
#include "orrery/framework/dialog.h"
#include "orrery/res/resource.h"

class CDependenciesPane : public CDialog, private CTreeListPane {
public:
    CDependenciesPane();
    ~CDependenciesPane() override;

    HWND GetDependencyTree() const { return GetDlgItem(IDC_DEPENDENCY_TREE); }
    HWND GetAttributeList() const { return GetDlgItem(IDC_DEPENDENCY_LIST); }
    // Destroys the records of the tree's items, then removes the items and
    // the attribute rows.
    void Clear();

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowDependency(HTREEITEM item);

    HIMAGELIST m_images = nullptr;
};

#endif
