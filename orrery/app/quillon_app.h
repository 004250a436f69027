// CQuillonApp: orrery's application object. It starts COM and reads the
// command line: a shell verb's start (-R, -U, -V, -C and a file) runs its one
// operation and ends. Otherwise it writes the shell verbs (on a start without
// arguments), reads the options, creates the document template and the main
// frame, gives the frame its title and final place, and handles the
// application commands (About, Options, Refresh List, Help and the web links;
// Generate Report and Find Missing Dependencies).
#ifndef ORRERY_APP_QUILLON_APP_H
#define ORRERY_APP_QUILLON_APP_H

#include "orrery/framework/win_app.h"

class CSplitterFrame;

class CQuillonApp : public CWinApp {
public:
    static const char kMainTitle[];

    bool InitInstance() override;
    int ExitInstance() override;

    // Creates the document, the frame and its views (the first catalogue
    // scan runs in the tree's initial update), then titles and places it.
    bool CreateMainWindow();
    CSplitterFrame* MainFrame() const;

    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;
    // True when the application object has a handler for the command id.
    static bool HasHandler(UINT id);

    void OnAppAbout();
    void OnOptions();
    void OnRefreshList();
    void OnGenerateReport();
    void OnHelpContents();
    void OnTarnwickWeb();
    void OnCheckUpdates();
    void OnFindMissingDependencies();

private:
    void PlaceMainWindow();
    void OpenWebPage(const char* address);
    bool m_comStarted = false;
};

#endif
