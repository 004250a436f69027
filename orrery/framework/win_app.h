// CWinApp: the one application object. It starts the program (InitInstance),
// runs the message loop with idle-time updates of the main frame, ends it
// (ExitInstance), holds the document templates and is the last stop of the
// command route.
#ifndef ORRERY_FRAMEWORK_WIN_APP_H
#define ORRERY_FRAMEWORK_WIN_APP_H

#include "orrery/framework/cmd_target.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class CSingleDocTemplate;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // The application object of the process, or null before one exists.
    static CWinApp* Get();

    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return 0; }
    // Runs the program: InitInstance, the message loop when it succeeded,
    // then ExitInstance. Returns the exit code.
    int Start(HINSTANCE instance, const char* commandLine);
    int Run();
    // Called when the message queue is empty.
    virtual void OnIdle();

    // The application's own commands; the base handles Exit.
    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;

    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    // Creates the empty document and its frame through the first template.
    bool OnFileNew();

    HINSTANCE m_hInstance = nullptr;
    std::string m_lpCmdLine;
    CFrameWnd* m_pMainWnd = nullptr;

private:
    std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
};

// A string of the program's string table; empty when there is none.
std::string LoadResourceString(UINT id);

#endif
