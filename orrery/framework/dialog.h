// CDialog: a dialog built from a numbered resource template, run modally with
// DoModal or shown modelessly with Create. Derived classes fill their controls
// in OnInitDialog and react to buttons in OnCommand. A modal dialog that does
// not move itself in OnInitDialog opens centred on its owner.
#ifndef ORRERY_FRAMEWORK_DIALOG_H
#define ORRERY_FRAMEWORK_DIALOG_H

#include "orrery/framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId) : m_templateId(templateId) {}

    // Runs the dialog over parent and returns the code given to EndDialog,
    // or -1 when the template cannot be loaded.
    INT_PTR DoModal(HWND parent);
    // Creates the dialog modelessly; it stays until DestroyWindow.
    bool Create(HWND parent);
    void EndDialog(INT_PTR result);
    bool IsModal() const { return m_modal; }
    // Centres the dialog on its owner (on the screen without one).
    void CenterWindow();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual bool OnInitDialog() { return true; }
    // Returns false for commands the dialog leaves to the default handling.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    UINT m_templateId;

private:
    bool m_modal = false;
};

#endif
