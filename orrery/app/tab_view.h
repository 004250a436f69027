// CTabView: the lower right pane, two tabbed pages with the selected object's
// DLL dependencies and its registry entries.
#ifndef ORRERY_APP_TAB_VIEW_H
#define ORRERY_APP_TAB_VIEW_H

#include "orrery/app/dependencies_pane.h"
#include "orrery/app/registry_pane.h"
#include "orrery/framework/view.h"

class CTabView : public CFormView {
public:
    enum Page { PageDependencies = 0, PageRegistryEntries = 1 };

    CTabView();
    void OnInitialUpdate() override;

    HWND GetTabs() const { return GetDlgItem(IDC_PANE_TABS); }
    // Null until the initial update has made the panes.
    CDependenciesPane* GetDependenciesPane() { return m_ready ? &m_dependencies : nullptr; }
    CRegistryEntriesPane* GetRegistryPane() { return m_ready ? &m_registry : nullptr; }
    // Selects a page as a click on its tab does.
    void SelectPage(int page);

protected:
    void OnSize(int cx, int cy) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    void ShowCurrentPage();

    CDependenciesPane m_dependencies;
    CRegistryEntriesPane m_registry;
    bool m_ready = false;
};

#endif
