#include "orrery/app/quillon_app.h"

#include "orrery/app/about_dlg.h"
#include "orrery/app/command_line.h"
#include "orrery/app/command_line_operations.h"
#include "orrery/app/help.h"
#include "orrery/app/ini_profile.h"
#include "orrery/app/missing_dependencies_dlg.h"
#include "orrery/app/options_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/app/quillon_doc.h"
#include "orrery/app/report_launch.h"
#include "orrery/app/shell.h"
#include "orrery/app/splitter_frame.h"
#include "orrery/app/start_up.h"
#include "orrery/framework/doc_template.h"
#include "orrery/res/resource.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

const char kUpdatesAddress[] = "http://www.tarnwick.example/updates/";

// The application's own commands, always enabled.
const CCommandEntry<CQuillonApp> kCommands[] = {
    {ID_APP_ABOUT, nullptr, &CQuillonApp::OnAppAbout},
    {ID_REFRESH_LIST, nullptr, &CQuillonApp::OnRefreshList},
    {ID_HELP_CONTENTS, nullptr, &CQuillonApp::OnHelpContents},
    {ID_TARNWICK_WEB, nullptr, &CQuillonApp::OnTarnwickWeb},
    {ID_CHECK_UPDATES, nullptr, &CQuillonApp::OnCheckUpdates},
    {ID_GENERATE_REPORT, nullptr, &CQuillonApp::OnGenerateReport},
    {ID_OPTIONS, nullptr, &CQuillonApp::OnOptions},
    {ID_FIND_MISSING_DEPENDENCIES, nullptr, &CQuillonApp::OnFindMissingDependencies},
};

CDocument* NewDocument()
{
    return new CQuillonDoc;
}

CFrameWnd* NewFrame()
{
    return new CSplitterFrame;
}

CView* NewObjectTree()
{
    return new CObjectTree;
}

} // namespace

const char CQuillonApp::kMainTitle[] = "Tarnwick Orrery 1.61";

bool CQuillonApp::InitInstance()
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    ::CoInitialize(nullptr);
    m_comStarted = true;
    std::string commandLine = UpperCasedCommandLine(m_lpCmdLine);
    CCommandLine split = SplitCommandLine(commandLine);
    if (RunCommandLineOperation(split.switchText, split.path))
        return false;
    if (commandLine.empty())
        RegisterProgramShellVerbs();
    ReadOptions(OrreryIni(), Options());
    return CreateMainWindow();
}

int CQuillonApp::ExitInstance()
{
    if (m_comStarted)
        ::CoUninitialize();
    m_comStarted = false;
    return CWinApp::ExitInstance();
}

bool CQuillonApp::CreateMainWindow()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, NewDocument, NewFrame, NewObjectTree));
    if (!OnFileNew() || !m_pMainWnd)
        return false;
    ::SetWindowTextA(m_pMainWnd->GetSafeHwnd(), kMainTitle);
    PlaceMainWindow();
    SetLayoutSuspended(false);
    m_pMainWnd->ResizeViews();
    return true;
}

// 90% of the full-screen client area, centred.
void CQuillonApp::PlaceMainWindow()
{
    int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    int width = static_cast<int>(0.9 * screenWidth);
    int height = static_cast<int>(0.9 * screenHeight);
    ::MoveWindow(m_pMainWnd->GetSafeHwnd(), (screenWidth - width) / 2, (screenHeight - height) / 2, width, height,
                 TRUE);
}

CSplitterFrame* CQuillonApp::MainFrame() const
{
    return dynamic_cast<CSplitterFrame*>(m_pMainWnd);
}

bool CQuillonApp::OnUpdateCmdUI(CCmdUI& ui)
{
    return UpdateFromTable(this, kCommands, ui) || CWinApp::OnUpdateCmdUI(ui);
}

bool CQuillonApp::OnCmdMsg(UINT id)
{
    return DispatchFromTable(this, kCommands, id) || CWinApp::OnCmdMsg(id);
}

bool CQuillonApp::HasHandler(UINT id)
{
    return HasHandlerInTable(kCommands, id) || id == ID_APP_EXIT;
}

void CQuillonApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr);
}

void CQuillonApp::OnRefreshList()
{
    if (CSplitterFrame* frame = MainFrame())
        frame->GetObjectTree()->RefreshCatalogue(true, nullptr);
}

void CQuillonApp::OnGenerateReport()
{
    if (CSplitterFrame* frame = MainFrame())
        RunReportDialog(*frame->GetObjectTree(), frame->GetSafeHwnd());
}

// OK writes the options; they are read back and the tree is filled again
// from the catalogue as it is, without a new search.
void CQuillonApp::OnOptions()
{
    COptionsDlg dialog(OrreryIni(), Options());
    if (dialog.DoModal(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr) != IDOK)
        return;
    ReadOptions(OrreryIni(), Options());
    if (CSplitterFrame* frame = MainFrame())
        frame->GetObjectTree()->FillTree();
}

void CQuillonApp::OnHelpContents()
{
    ShowHelpContents(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr);
}

void CQuillonApp::OpenWebPage(const char* address)
{
    Shell().Open(m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr, address, SW_SHOWMAXIMIZED, nullptr);
}

void CQuillonApp::OnTarnwickWeb()
{
    OpenWebPage(LoadResourceString(IDS_WEB_ADDRESS).c_str());
}

void CQuillonApp::OnCheckUpdates()
{
    OpenWebPage(kUpdatesAddress);
}

void CQuillonApp::OnFindMissingDependencies()
{
    CSplitterFrame* frame = MainFrame();
    if (!frame)
        return;
    CObjectTree* tree = frame->GetObjectTree();
    CMissingDependenciesDlg finder(tree->CurrentTabText(), tree->GetTree());
    finder.DoModal(frame->GetSafeHwnd());
}
