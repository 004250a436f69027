// CSplashWnd: the window shown while the first catalogue scan runs, with the
// program's logo and a status line that shows each progress text.
// CSearchWaitDlg: the small window shown while a rebuild searches the registry.
#ifndef ORRERY_APP_SPLASH_WND_H
#define ORRERY_APP_SPLASH_WND_H

#include "orrery/framework/dialog.h"

#include <string>

class CSplashWnd : public CDialog {
public:
    CSplashWnd();
    // Creates the window centred on the screen and paints it at once.
    bool Show();
    virtual void SetStatusText(const char* text);
    std::string GetStatusText() const;

protected:
    bool OnInitDialog() override;
    // The splash is drawn on white, as its logo is.
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class CSearchWaitDlg : public CDialog {
public:
    CSearchWaitDlg();
    // Creates the window and paints it at once; it stays until destroyed.
    bool Show(HWND owner);
};

#endif
