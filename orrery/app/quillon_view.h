// CQuillonView: the upper right pane, a two-column list (Name, Value) of the
// attributes of the object selected in the tree, with a menu (and Ctrl+C) to
// copy a value.
#ifndef ORRERY_APP_QUILLON_VIEW_H
#define ORRERY_APP_QUILLON_VIEW_H

#include "orrery/app/tree_list_pane.h"
#include "orrery/framework/view.h"
#include "orrery/res/resource.h"

class CQuillonView : public CFormView, private CTreeListPane {
public:
    CQuillonView();
    void OnInitialUpdate() override;

    HWND GetList() const { return GetDlgItem(IDC_ATTRIBUTE_LIST); }

    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;
    // Copies the Value column of the first selected row to the clipboard.
    void OnCopyToClipboard();

protected:
    void OnSize(int cx, int cy) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;

private:
    void ShowCopyMenu();

};

#endif
