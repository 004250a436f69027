// CMissingDependenciesDlg: the finder. It walks the DLL dependencies of every
// object that the object tree shows for one category, counts the missing DLLs
// and marks the objects that miss one with the tree's mark image.
#ifndef ORRERY_APP_MISSING_DEPENDENCIES_DLG_H
#define ORRERY_APP_MISSING_DEPENDENCIES_DLG_H

#include "orrery/framework/dialog.h"

#include <string>

class CMissingDependenciesDlg : public CDialog {
public:
    // categoryName: the text of the category's tab; objectTree: the object
    // tree control whose root holds the objects.
    CMissingDependenciesDlg(const std::string& categoryName, HWND objectTree);
    ~CMissingDependenciesDlg() override;

    // The search behind "&Search": counters, progress bar and marks as it goes.
    void Search();

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    // The simple beep that ends a search.
    virtual void SoundEndOfSearch();

private:
    void ShowMarkIcon();

    std::string m_categoryName;
    HWND m_objectTree;
    HICON m_markIcon = nullptr;
};

#endif
