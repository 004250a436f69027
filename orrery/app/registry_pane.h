// CRegistryEntriesPane: the object's registry keys in a tree beside a list of
// the selected key's values. Created as a child window from its template by
// the tab view (and the details window).
#ifndef ORRERY_APP_REGISTRY_PANE_H
#define ORRERY_APP_REGISTRY_PANE_H

#include "orrery/framework/dialog.h"
#include "orrery/res/resource.h"

class CRegistryEntriesPane : public CDialog {
public:
    CRegistryEntriesPane();
    ~CRegistryEntriesPane() override;

    HWND GetKeyTree() const { return GetDlgItem(IDC_REGISTRY_TREE); }
    HWND GetValueList() const { return GetDlgItem(IDC_REGISTRY_VALUES); }
    // Removes every key and value row.
    void Clear();

protected:
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Layout(int width, int height);

    HIMAGELIST m_images = nullptr;
};

#endif
