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

    // The search behind "&Search": counters, progress bar and marks as it goes.
    void Search();

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // The simple beep that ends a search.
    virtual void SoundEndOfSearch();

private:
    // Draws the object tree's mark image into the mark field.
    void DrawMark(const DRAWITEMSTRUCT& item);

    std::string m_categoryName;
    HWND m_objectTree;
};

#endif
