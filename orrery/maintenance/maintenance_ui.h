// How the maintenance operations talk to the user: the wait cursor, the
// message dialog, error boxes, Yes/No questions and the dialog shown after a
// server was unregistered. The program shows real windows; tests and the
// check program answer in their own way.
#pragma once

#include <string>

namespace orrery {

class CMaintenanceUI {
public:
    virtual ~CMaintenanceUI() {}

    // The wait cursor, shown while a server is loaded and called.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;

    // The message dialog with the text; returns when the user closed it.
    virtual void ShowMessage(const std::string& text) = 0;

    // An error message box with an OK button.
    virtual void ShowError(const std::string& text) = 0;

    // A Yes/No question with the question icon and no owner window; true
    // when the answer is Yes.
    virtual bool AskYesNo(const std::string& caption, const std::string& text) = 0;

    // The dialog that reports a successful unregistration of the object
    // called name and offers to delete its server file at path.
    virtual void ShowUnregistered(const std::string& name, const std::string& path) = 0;
};

// Shows the wait cursor for its lifetime, or until Done is called.
class CWaitScope {
public:
    explicit CWaitScope(CMaintenanceUI& ui) : m_ui(ui) { m_ui.BeginWait(); }
    ~CWaitScope() { Done(); }
    CWaitScope(const CWaitScope&) = delete;
    CWaitScope& operator=(const CWaitScope&) = delete;

    void Done()
    {
        if (m_waiting)
            m_ui.EndWait();
        m_waiting = false;
    }

private:
    CMaintenanceUI& m_ui;
    bool m_waiting = true;
};

}  // namespace orrery
