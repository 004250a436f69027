#include "orrery/app/about_dlg.h"
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/framework/cmd_target.h"
#include "orrery/framework/dialog.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/splitter_wnd.h"
#include "orrery/framework/view.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

#include <string>
#include <vector>

namespace {

const UINT kOnlyView = 40001;
const UINT kViewAndFrame = 40002;
const UINT kFrameAndApp = 40003;
const UINT kOnlyApp = 40004;
const UINT kNobody = 40005;

// Each target records what it was asked and answers for its own ids.
struct Log {
    std::vector<std::string> runs;
};
Log g_log;

class RecordingView : public CFormView {
public:
    RecordingView() : CFormView(IDD_QUILLON_VIEW) {}
    bool OnUpdateCmdUI(CCmdUI& ui) override
    {
        if (ui.id != kOnlyView && ui.id != kViewAndFrame)
            return false;
        ui.enabled = ui.id == kOnlyView;
        return true;
    }
    bool OnCmdMsg(UINT id) override
    {
        if (id != kOnlyView && id != kViewAndFrame)
            return false;
        g_log.runs.push_back("view " + std::to_string(id));
        return true;
    }
};

class RecordingFrame : public CFrameWnd {
public:
    bool OnUpdateCmdUI(CCmdUI& ui) override
    {
        if (ui.id != kViewAndFrame && ui.id != kFrameAndApp)
            return CFrameWnd::OnUpdateCmdUI(ui);
        ui.enabled = true;
        return true;
    }
    bool OnCmdMsg(UINT id) override
    {
        if (id != kViewAndFrame && id != kFrameAndApp)
            return CFrameWnd::OnCmdMsg(id);
        g_log.runs.push_back("frame " + std::to_string(id));
        return true;
    }
};

class RecordingApp : public CWinApp {
public:
    bool OnUpdateCmdUI(CCmdUI& ui) override
    {
        if (ui.id != kFrameAndApp && ui.id != kOnlyApp)
            return CWinApp::OnUpdateCmdUI(ui);
        ui.enabled = ui.id == kOnlyApp;
        return true;
    }
    bool OnCmdMsg(UINT id) override
    {
        if (id != kFrameAndApp && id != kOnlyApp)
            return CWinApp::OnCmdMsg(id);
        g_log.runs.push_back("app " + std::to_string(id));
        return true;
    }
};

CView* NewRecordingView()
{
    return new RecordingView;
}

TEST(CommandRoute, AsksTheActiveViewThenTheFrameThenTheApplication)
{
    RecordingApp app;
    CCreateContext context;
    context.newView = NewRecordingView;
    auto* frame = new RecordingFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, &context));
    ASSERT_EQ(1u, frame->GetViews().size());
    frame->SetActiveView(frame->GetViews().front(), false);
    g_log.runs.clear();

    EXPECT_TRUE(frame->IsCommandEnabled(kOnlyView));
    EXPECT_FALSE(frame->IsCommandEnabled(kViewAndFrame)) << "the view's rule hides the frame's";
    EXPECT_TRUE(frame->IsCommandEnabled(kFrameAndApp)) << "the frame's rule hides the application's";
    EXPECT_TRUE(frame->IsCommandEnabled(kOnlyApp));
    EXPECT_FALSE(frame->IsCommandEnabled(kNobody)) << "a command nobody handles is greyed";

    for (UINT id : {kOnlyView, kViewAndFrame, kFrameAndApp, kOnlyApp})
        EXPECT_TRUE(frame->RouteCmdMsg(id));
    EXPECT_FALSE(frame->RouteCmdMsg(kNobody));
    EXPECT_EQ((std::vector<std::string>{"view 40001", "view 40002", "frame 40003", "app 40004"}), g_log.runs);

    frame->SetActiveView(nullptr, false);
    EXPECT_FALSE(frame->IsCommandEnabled(kOnlyView));
    EXPECT_TRUE(frame->IsCommandEnabled(kViewAndFrame));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_APP_EXIT));

    HWND hwnd = frame->GetSafeHwnd();
    EXPECT_EQ(frame, CWnd::FromHandle(hwnd));
    ::DestroyWindow(hwnd);
    EXPECT_EQ(nullptr, CWnd::FromHandle(hwnd));
    PumpMessages();
}

struct Switch {
    bool on = false;
    int runs = 0;
    bool IsOn() const { return on; }
    void Run() { ++runs; }
};

TEST(CommandTable, RunsAHandlerOnlyWhileItsRuleAllows)
{
    static const CCommandEntry<Switch> table[] = {
        {100, &Switch::IsOn, &Switch::Run},
        {101, nullptr, &Switch::Run},
    };
    Switch target;
    CCmdUI ui;
    ui.id = 100;
    EXPECT_TRUE(UpdateFromTable(&target, table, ui));
    EXPECT_FALSE(ui.enabled);
    EXPECT_TRUE(DispatchFromTable(&target, table, 100)) << "a disabled command is still this target's";
    EXPECT_EQ(0, target.runs);
    target.on = true;
    EXPECT_TRUE(DispatchFromTable(&target, table, 100));
    EXPECT_TRUE(DispatchFromTable(&target, table, 101));
    EXPECT_EQ(2, target.runs);
    ui.id = 102;
    EXPECT_FALSE(UpdateFromTable(&target, table, ui));
    EXPECT_FALSE(DispatchFromTable(&target, table, 102));
}

TEST(CommandTable, ARowWithoutAHandlerIsGreyedAndDoesNothing)
{
    static const CCommandEntry<Switch> table[] = {
        {100, &Switch::IsOn, nullptr},
        {101, nullptr, nullptr},
    };
    Switch target;
    target.on = true;
    for (UINT id : {100u, 101u}) {
        CCmdUI ui;
        ui.id = id;
        EXPECT_TRUE(UpdateFromTable(&target, table, ui)) << id;
        EXPECT_FALSE(ui.enabled) << id;
        EXPECT_TRUE(DispatchFromTable(&target, table, id)) << "swallowed, not passed on: " << id;
    }
    EXPECT_EQ(0, target.runs);
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* name = CWnd::RegisterWndClass("OrrerySplitterTestHost", 0, nullptr, nullptr);
        RECT rect = {0, 0, 600, 300};
        ASSERT_TRUE(m_host.CreateEx(0, name, "", WS_POPUP | WS_CLIPCHILDREN, rect, nullptr, 0));
        ASSERT_TRUE(m_splitter.CreateStatic(m_host.GetSafeHwnd(), 1, 3, IDW_PANE_FIRST, false));
        for (int col = 0; col < 3; ++col) {
            ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_splitter.GetSafeHwnd(),
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(m_splitter.IdFromRowCol(0, col))),
                              nullptr, nullptr);
        }
        m_splitter.SetColumnInfo(0, 100);
        m_splitter.SetColumnInfo(1, 50);
    }
    void Resize(int width) { ::MoveWindow(m_splitter.GetSafeHwnd(), 0, 0, width, 200, TRUE); }
    int PaneWidth(int col)
    {
        RECT rect = {};
        ::GetWindowRect(m_splitter.GetPane(0, col), &rect);
        return rect.right - rect.left;
    }

    CWnd m_host;
    CSplitterWnd m_splitter;
};

// Each pane sits in a 2-pixel edge with 3 pixels of bar between edges.
TEST_F(SplitterTest, KeepsTheWishedWidthsAndGivesTheRestToTheLastPane)
{
    Resize(400);
    EXPECT_EQ(100, PaneWidth(0));
    EXPECT_EQ(50, PaneWidth(1));
    EXPECT_EQ(400 - 3 * 7 + 3 - 150, PaneWidth(2));
    EXPECT_EQ(200 - 4, m_splitter.GetRowHeight(0));

    Resize(130);
    EXPECT_EQ(100, PaneWidth(0));
    EXPECT_EQ(12, PaneWidth(1));
    EXPECT_EQ(0, PaneWidth(2));
    Resize(10);
    EXPECT_EQ(0, PaneWidth(0));
}

TEST_F(SplitterTest, APaneWithAMinimumKeepsItWhileThePanesBeforeItGiveWay)
{
    m_splitter.SetColumnInfo(2, 0, 60);
    Resize(400);
    EXPECT_EQ(100, PaneWidth(0)) << "space for all: the wishes hold";
    EXPECT_EQ(50, PaneWidth(1));
    EXPECT_EQ(400 - 3 * 7 + 3 - 150, PaneWidth(2));

    Resize(200);  // 182 pixels for the panes
    EXPECT_EQ(100, PaneWidth(0));
    EXPECT_EQ(22, PaneWidth(1));
    EXPECT_EQ(60, PaneWidth(2));
    Resize(100);  // 82
    EXPECT_EQ(22, PaneWidth(0));
    EXPECT_EQ(0, PaneWidth(1));
    EXPECT_EQ(60, PaneWidth(2));
    Resize(50);  // 32: less than the minimum, all of it to the last pane
    EXPECT_EQ(0, PaneWidth(0));
    EXPECT_EQ(32, PaneWidth(2));

    Resize(400);
    HWND splitter = m_splitter.GetSafeHwnd();
    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(105, 50));
    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(390, 50));
    ::SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(390, 50));
    EXPECT_EQ(60, PaneWidth(2)) << "a bar dragged onto the pane stops at its minimum";
}

TEST_F(SplitterTest, DraggingABarMovesTheBoundary)
{
    Resize(400);
    HWND splitter = m_splitter.GetSafeHwnd();
    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(105, 50));
    ASSERT_EQ(splitter, ::GetCapture());
    ::SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 50));
    ::SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(160, 50));
    EXPECT_EQ(158, PaneWidth(0));
    EXPECT_EQ(50, PaneWidth(1));
    EXPECT_NE(splitter, ::GetCapture());

    ::SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 50));
    EXPECT_NE(splitter, ::GetCapture()) << "a press inside a pane's area drags nothing";
    ::SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(20, 50));
}

TEST(StatusBar, FixedPanesKeepTheirWidthsFromTheRight)
{
    CWnd host;
    const char* name = CWnd::RegisterWndClass("OrreryStatusTestHost", 0, nullptr, nullptr);
    RECT rect = {0, 0, 500, 100};
    ASSERT_TRUE(host.CreateEx(0, name, "", WS_POPUP, rect, nullptr, 0));
    CStatusBar bar;
    ASSERT_TRUE(bar.Create(host.GetSafeHwnd()));
    const UINT ids[] = {ID_SEPARATOR, ID_SEPARATOR, ID_SEPARATOR};
    bar.SetIndicators(ids, 3);
    bar.SetPaneInfo(1, ID_SEPARATOR, 55);
    bar.SetPaneInfo(2, ID_SEPARATOR, 40);
    int edges[3] = {};
    ASSERT_EQ(3, ::SendMessageA(bar.GetSafeHwnd(), SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(55, edges[1] - edges[0]);
    EXPECT_EQ(-1, edges[2]);

    bar.SetPaneText(1, "Items: 3");
    bar.SetPaneText(7, "nowhere");
    EXPECT_EQ("Items: 3", bar.GetPaneText(1));
    char text[32] = "";
    ::SendMessageA(bar.GetSafeHwnd(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ("Items: 3", text);
    EXPECT_EQ("", bar.GetPaneText(7));
}

// Closes itself as soon as it is up, after noting what it showed.
class InspectedAbout : public CAboutDlg {
public:
    bool OnInitDialog() override
    {
        bool result = CAboutDlg::OnInitDialog();
        bound = CWnd::FromHandle(m_hWnd) == this;
        char text[64] = "";
        ::GetDlgItemTextA(m_hWnd, IDC_ABOUT_TITLE, text, sizeof text);
        title = text;
        link = GetLink().GetWindowText();
        linkColour = GetLink().CurrentColour();
        ::PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
        return result;
    }
    bool bound = false;
    std::string title;
    std::string link;
    COLORREF linkColour = 0;
};

TEST(AboutBox, ShowsTheNameAndTheMakersAddressAsALink)
{
    InspectedAbout about;
    EXPECT_EQ(IDOK, about.DoModal(nullptr));
    EXPECT_TRUE(about.bound);
    EXPECT_EQ("Orrery 1.61", about.title);
    EXPECT_EQ(LoadResourceString(IDS_WEB_ADDRESS), about.link);
    EXPECT_EQ(RGB(0, 0, 128), about.linkColour);
    EXPECT_EQ(RGB(0, 0, 255), CHyperLink::GetColours().hover);
}

TEST(HyperLink, NamesEachShellError)
{
    EXPECT_EQ("The specified file was not found.", LinkErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ("There is no application associated\nwith the given filename extension.",
              LinkErrorText(ERROR_NO_ASSOCIATION));
    EXPECT_EQ("A sharing violation occurred. ", LinkErrorText(ERROR_SHARING_VIOLATION));
    EXPECT_EQ("Unknown Error (42) occurred.", LinkErrorText(42));
}

// A dialog whose address is a plain link: a click on it opens the address
// through the shell, then the dialog closes.
class LinkDialog : public CDialog {
public:
    LinkDialog() : CDialog(IDD_ABOUTBOX) {}
    bool OnInitDialog() override
    {
        link.Attach(m_hWnd, IDC_ABOUT_LINK, kAddress, false);
        ::PostMessageA(link.GetSafeHwnd(), WM_LBUTTONUP, 0, 0);
        ::PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
        return true;
    }
    static constexpr const char* kAddress = "http://orrery.invalid/";
    CHyperLink link;
};

TEST(HyperLink, AClickOpensTheTargetWithTheShellAndMarksItVisited)
{
    CRecordingShell shell;
    UseShell(&shell);
    LinkDialog dialog;
    dialog.DoModal(nullptr);
    UseShell(nullptr);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("open", shell.calls[0].kind);
    EXPECT_EQ(LinkDialog::kAddress, shell.calls[0].target);
    EXPECT_TRUE(dialog.link.IsVisited());
}

TEST(HyperLink, ALinkTheShellCannotOpenSaysWhyAndStaysUnvisited)
{
    CRecordingShell shell;
    shell.openError = ERROR_NO_ASSOCIATION;
    UseShell(&shell);
    CBoxAnswerer answerer;
    LinkDialog dialog;
    dialog.DoModal(nullptr);
    UseShell(nullptr);
    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Orrery", boxes[0].caption);
    EXPECT_NE(std::string::npos, boxes[0].text.find("Can't open link:"));
    EXPECT_NE(std::string::npos, boxes[0].text.find("There is no application associated"));
    EXPECT_FALSE(dialog.link.IsVisited());
}

} // namespace
