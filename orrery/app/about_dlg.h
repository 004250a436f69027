// CAboutDlg: the About box, with the program's name in bold and a link to
// the maker's web site.
#ifndef ORRERY_APP_ABOUT_DLG_H
#define ORRERY_APP_ABOUT_DLG_H

#include "orrery/app/hyper_link.h"
#include "orrery/framework/dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    const CHyperLinkDL& GetLink() const { return m_link; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OpenLink();

    CHyperLinkDL m_link;
};

#endif
