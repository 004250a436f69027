// CFileDetailsDlg: "COM File Details", the stand-alone window that shows one
// object on three tabbed pages: its attributes, its server file's DLL
// dependencies and its registry entries. The shell verb "View ... Details"
// opens it for a file; it then runs without a main window and owns the menus
// of its attribute list itself.
#ifndef ORRERY_APP_FILE_DETAILS_DLG_H
#define ORRERY_APP_FILE_DETAILS_DLG_H

#include "orrery/app/dependencies_pane.h"
#include "orrery/app/registry_pane.h"
#include "orrery/framework/dialog.h"

namespace orrery {
class CComObject;
}

class CFileDetailsDlg : public CDialog {
public:
    enum Page { PageAttributes = 0, PageDependencies = 1, PageRegistryEntries = 2 };
    static const char kTitlePrefix[];
    // The strip below the pages that holds the OK button.
    static const int kButtonStrip = 28;

    // The caller owns record and keeps it until the window has closed.
    explicit CFileDetailsDlg(orrery::CComObject& record);
    ~CFileDetailsDlg() override;

    HWND GetTabs() const { return GetDlgItem(IDC_DETAILS_TABS); }
    HWND GetAttributeList() const { return GetDlgItem(IDC_DETAILS_ATTRIBUTES); }
    CRegistryEntriesPane& GetRegistryPane() { return m_registry; }
    CDependenciesPane& GetDependenciesPane() { return m_dependencies; }
    // Selects a page as a click on its tab does.
    void SelectPage(int page);
    // Copies the Value column of the first selected attribute row.
    void OnCopyToClipboard();

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FillPages();
    void ShowCurrentPage();
    void Layout(int width, int height);
    bool OnNotify(const NMHDR& header);
    void ShowCopyMenu();

    orrery::CComObject& m_record;
    HIMAGELIST m_images = nullptr;
    CRegistryEntriesPane m_registry;
    CDependenciesPane m_dependencies;
};

#endif
