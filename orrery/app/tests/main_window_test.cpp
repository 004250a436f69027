#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/scripted_answers.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/app/shell_commands.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const UINT kObjectCommands[] = {ID_UNREGISTER, ID_REMOVE_FROM_REGISTRY, ID_REGISTER, ID_GOTO_FILE_LOCATION,
                                ID_RUN_EXE_SERVER, ID_COMPARE_WITH, ID_VIEW_IN_IE, ID_JUMP_CLSID,
                                ID_JUMP_PROGID, ID_JUMP_TYPELIB};
const UINT kApplicationCommands[] = {ID_GENERATE_REPORT, ID_OPTIONS, ID_REFRESH_LIST,
                                     ID_FIND_MISSING_DEPENDENCIES, ID_HELP_CONTENTS, ID_APP_ABOUT,
                                     ID_TARNWICK_WEB, ID_CHECK_UPDATES, ID_APP_EXIT};

class MainFrameTest : public SampleWindowTest {
protected:
    // Of the commands a rule allows, those whose handler is built; the
    // others are greyed whatever their rule says.
    static std::set<UINT> Built(std::set<UINT> allowed)
    {
        for (auto id = allowed.begin(); id != allowed.end();)
            id = CObjectTree::HasHandler(*id) ? std::next(id) : allowed.erase(id);
        return allowed;
    }

    void ExpectApplicationCommandsEnabled()
    {
        for (UINT id : kApplicationCommands)
            EXPECT_EQ(CQuillonApp::HasHandler(id), Frame().IsCommandEnabled(id)) << id;
    }

    std::set<UINT> EnabledObjectCommands()
    {
        std::set<UINT> enabled;
        for (UINT id : kObjectCommands) {
            if (Frame().IsCommandEnabled(id))
                enabled.insert(id);
        }
        return enabled;
    }

    bool MenuItemEnabled(HMENU popup, UINT id)
    {
        return !(::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED);
    }
};

TEST_F(MainFrameTest, EnableRulesFollowTabSelectionAndState)
{
    EXPECT_EQ(Built({ID_REGISTER}), EnabledObjectCommands());

    Select("Orrery.Gauge.1");
    EXPECT_EQ(Built({ID_UNREGISTER, ID_REMOVE_FROM_REGISTRY, ID_REGISTER, ID_GOTO_FILE_LOCATION,
                     ID_COMPARE_WITH, ID_VIEW_IN_IE, ID_JUMP_CLSID, ID_JUMP_PROGID, ID_JUMP_TYPELIB}),
              EnabledObjectCommands());

    Select("Orrery.Dial");
    EXPECT_EQ(Built({ID_REMOVE_FROM_REGISTRY, ID_REGISTER, ID_GOTO_FILE_LOCATION, ID_VIEW_IN_IE,
                     ID_JUMP_CLSID, ID_JUMP_PROGID, ID_JUMP_TYPELIB}),
              EnabledObjectCommands());

    Tree().SelectTab(1);
    EXPECT_EQ(Built({ID_REGISTER}), EnabledObjectCommands());
    Select("Orrery.Engine");
    EXPECT_EQ(Built({ID_UNREGISTER, ID_REMOVE_FROM_REGISTRY, ID_REGISTER, ID_GOTO_FILE_LOCATION,
                     ID_COMPARE_WITH, ID_JUMP_CLSID, ID_JUMP_PROGID, ID_JUMP_TYPELIB}),
              EnabledObjectCommands());

    Tree().SelectTab(2);
    EXPECT_TRUE(EnabledObjectCommands().empty());
    Select("Orrery Server Application");
    EXPECT_EQ(Built({ID_REMOVE_FROM_REGISTRY, ID_GOTO_FILE_LOCATION, ID_RUN_EXE_SERVER,
                     ID_COMPARE_WITH, ID_JUMP_CLSID, ID_JUMP_PROGID, ID_JUMP_TYPELIB}),
              EnabledObjectCommands());
}

TEST_F(MainFrameTest, ObjectCommandsWorkOnTheTreesSelectionWhicheverPaneIsActive)
{
    CRecordingShell shell;
    UseShell(&shell);
    Select("Orrery.Gauge.1");
    std::set<UINT> fromTheTree = EnabledObjectCommands();
    EXPECT_TRUE(fromTheTree.count(ID_GOTO_FILE_LOCATION));
    EXPECT_FALSE(Frame().IsCommandEnabled(ID_COPY_TO_CLIPBOARD)) << "the attribute list's own command";
    for (CView* pane : {static_cast<CView*>(Frame().GetAttributeView()), static_cast<CView*>(Frame().GetTabView())}) {
        Frame().SetActiveView(pane);
        EXPECT_EQ(fromTheTree, EnabledObjectCommands());
        ExpectApplicationCommandsEnabled();
        ASSERT_TRUE(Frame().RouteCmdMsg(ID_GOTO_FILE_LOCATION));
        ASSERT_FALSE(shell.calls.empty());
        EXPECT_EQ("Explorer C:\\lib", shell.calls.back().target);
    }
    EXPECT_EQ(2u, shell.calls.size());
    Frame().SetActiveView(Frame().GetAttributeView());
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_COPY_TO_CLIPBOARD));

    // The active pane still comes first for the commands it handles itself.
    Frame().SetActiveView(&Tree());
    EXPECT_FALSE(Frame().IsCommandEnabled(ID_COPY_TO_CLIPBOARD));
    ::SendMessageA(TreeControl(), TVM_SELECTITEM, TVGN_CARET, 0);
    Frame().SetActiveView(Frame().GetTabView());
    EXPECT_EQ(Built({ID_REGISTER}), EnabledObjectCommands()) << "no object selected";
    UseShell(nullptr);
}

TEST_F(MainFrameTest, MenusAndToolbarAreGreyedByTheSameRules)
{
    HMENU edit = ::GetSubMenu(::GetMenu(Frame().GetSafeHwnd()), 1);
    ::SendMessageA(Frame().GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_FALSE(MenuItemEnabled(edit, ID_UNREGISTER));
    EXPECT_FALSE(MenuItemEnabled(edit, ID_GOTO_FILE_LOCATION));
    EXPECT_TRUE(MenuItemEnabled(edit, ID_REFRESH_LIST));

    Select("Orrery.Gauge.1");
    ::SendMessageA(Frame().GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_EQ(CObjectTree::HasHandler(ID_UNREGISTER), MenuItemEnabled(edit, ID_UNREGISTER));
    EXPECT_TRUE(MenuItemEnabled(edit, ID_GOTO_FILE_LOCATION));
    EXPECT_FALSE(MenuItemEnabled(edit, ID_RUN_EXE_SERVER));

    CToolBar& toolBar = Frame().GetToolBar();
    Frame().OnIdleUpdate();
    EXPECT_EQ(CObjectTree::HasHandler(ID_UNREGISTER), toolBar.IsButtonEnabled(ID_UNREGISTER));
    EXPECT_TRUE(toolBar.IsButtonEnabled(ID_GOTO_FILE_LOCATION));
    EXPECT_FALSE(toolBar.IsButtonEnabled(ID_RUN_EXE_SERVER));
    EXPECT_TRUE(toolBar.IsButtonEnabled(ID_APP_ABOUT));
    Tree().SelectTab(2);
    Frame().OnIdleUpdate();
    EXPECT_FALSE(toolBar.IsButtonEnabled(ID_UNREGISTER));
    EXPECT_FALSE(toolBar.IsButtonEnabled(ID_REGISTER));
    EXPECT_TRUE(toolBar.IsButtonEnabled(ID_REFRESH_LIST));

    HMENU view = ::GetSubMenu(::GetMenu(Frame().GetSafeHwnd()), 2);
    ::SendMessageA(Frame().GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    EXPECT_TRUE(::GetMenuState(view, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    Frame().RouteCmdMsg(ID_VIEW_TOOLBAR);
    ::SendMessageA(Frame().GetSafeHwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    EXPECT_FALSE(::GetMenuState(view, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::IsWindowVisible(toolBar.GetSafeHwnd()));
}

TEST_F(MainFrameTest, TheToolbarHoldsTheButtonsInOrderWithTooltipsAndFlyByTexts)
{
    const std::vector<UINT> expected = {ID_UNREGISTER, ID_GOTO_FILE_LOCATION, ID_RUN_EXE_SERVER, 0,
                                        ID_REFRESH_LIST, 0, ID_REMOVE_FROM_REGISTRY, ID_COMPARE_WITH, 0,
                                        ID_REGISTER, ID_VIEW_IN_IE, 0, ID_FIND_MISSING_DEPENDENCIES,
                                        ID_GENERATE_REPORT, ID_OPTIONS, 0, ID_APP_ABOUT};
    HWND toolBar = Frame().GetToolBar().GetSafeHwnd();
    EXPECT_EQ(expected, Frame().GetToolBar().GetItemIds());
    EXPECT_EQ(static_cast<LRESULT>(expected.size()), ::SendMessageA(toolBar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_TRUE(::GetWindowLongA(toolBar, GWL_STYLE) & TBSTYLE_FLAT);

    NMTTDISPINFOA tip = {};
    tip.hdr = {nullptr, ID_OPTIONS, static_cast<UINT>(TTN_GETDISPINFOA)};
    ::SendMessageA(Frame().GetSafeHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ("Options", tip.lpszText);

    ::SendMessageA(Frame().GetSafeHwnd(), WM_MENUSELECT, MAKEWPARAM(ID_REMOVE_FROM_REGISTRY, MF_STRING),
                   reinterpret_cast<LPARAM>(::GetMenu(Frame().GetSafeHwnd())));
    EXPECT_EQ("Remove Object from Registry", Frame().GetStatusBar().GetPaneText(0));
    NMTBHOTITEM hot = {};
    hot.hdr = {toolBar, IDW_TOOLBAR, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = ID_GENERATE_REPORT;
    ::SendMessageA(Frame().GetSafeHwnd(), WM_NOTIFY, IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ("Generate Inventory Report", Frame().GetStatusBar().GetPaneText(0));
    hot.dwFlags = HICF_LEAVING;
    ::SendMessageA(Frame().GetSafeHwnd(), WM_NOTIFY, IDW_TOOLBAR, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ("Ready", Frame().GetStatusBar().GetPaneText(0));
}

TEST_F(MainFrameTest, TheFrameIsTitledPlacedAndSplit)
{
    EXPECT_EQ(CQuillonApp::kMainTitle, Frame().GetWindowText());
    int screenWidth = ::GetSystemMetrics(SM_CXFULLSCREEN);
    int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    RECT window = {};
    ::GetWindowRect(Frame().GetSafeHwnd(), &window);
    int width = static_cast<int>(0.9 * screenWidth);
    int height = static_cast<int>(0.9 * screenHeight);
    EXPECT_EQ(width, window.right - window.left);
    EXPECT_EQ(height, window.bottom - window.top);
    EXPECT_EQ((screenWidth - width) / 2, window.left);
    EXPECT_EQ((screenHeight - height) / 2, window.top);

    EXPECT_EQ(CSplitterFrame::kTreeWidth, Frame().GetOuterSplitter().GetColumnWidth(0));
    int createdHeight = static_cast<int>(0.85 * screenHeight);
    EXPECT_EQ(std::max(createdHeight / 2, 100), Frame().GetInnerSplitter().GetRowHeight(0));
    EXPECT_GT(Frame().GetInnerSplitter().GetRowHeight(1), 0);
    EXPECT_EQ(&Tree(), Frame().GetActiveView());

    CStatusBar& status = Frame().GetStatusBar();
    EXPECT_EQ(5, status.GetPaneCount());
    EXPECT_EQ(55, status.GetPaneWidth(1));
    EXPECT_EQ("Ready", status.GetPaneText(0));
}

TEST_F(MainFrameTest, ViewsLayOutTheirControlsOnceStartUpIsDone)
{
    EXPECT_FALSE(IsLayoutSuspended());
    RECT view = {};
    ::GetClientRect(Tree().GetSafeHwnd(), &view);
    RECT tree = {};
    ::GetWindowRect(TreeControl(), &tree);
    ::MapWindowPoints(nullptr, Tree().GetSafeHwnd(), reinterpret_cast<POINT*>(&tree), 2);
    RECT tabs = {};
    ::GetWindowRect(Tree().GetTabs(), &tabs);
    EXPECT_EQ(view.right, tabs.right - tabs.left);
    EXPECT_EQ(tabs.bottom - tabs.top, tree.top);
    EXPECT_EQ(view.bottom, tree.bottom);
    EXPECT_EQ(view.right, tree.right - tree.left);

    HWND list = Frame().GetAttributeView()->GetList();
    RECT listRect = {};
    ::GetWindowRect(list, &listRect);
    int listWidth = listRect.right - listRect.left;
    ::GetClientRect(Frame().GetAttributeView()->GetSafeHwnd(), &view);
    EXPECT_EQ(view.right, listWidth);
    EXPECT_EQ(static_cast<int>(0.30 * listWidth), ::SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(static_cast<int>(0.65 * listWidth), ::SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));

    HWND keys = Frame().GetTabView()->GetRegistryPane()->GetKeyTree();
    RECT pane = {};
    ::GetClientRect(Frame().GetTabView()->GetRegistryPane()->GetSafeHwnd(), &pane);
    EXPECT_EQ(static_cast<int>(0.45 * pane.right), controls::WindowWidth(keys));
}

TEST_F(MainFrameTest, TheTabViewShowsOnePageAtATime)
{
    CTabView& tabs = *Frame().GetTabView();
    EXPECT_EQ(2, ::SendMessageA(tabs.GetTabs(), TCM_GETITEMCOUNT, 0, 0));
    EXPECT_TRUE(::IsWindowVisible(tabs.GetDependenciesPane()->GetSafeHwnd()));
    EXPECT_FALSE(::IsWindowVisible(tabs.GetRegistryPane()->GetSafeHwnd()));
    tabs.SelectPage(CTabView::PageRegistryEntries);
    EXPECT_FALSE(::IsWindowVisible(tabs.GetDependenciesPane()->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindowVisible(tabs.GetRegistryPane()->GetSafeHwnd()));
}

TEST_F(MainFrameTest, F6MovesToTheNextPaneAndBack)
{
    MSG key = {Tree().GetSafeHwnd(), WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_TRUE(Frame().PreTranslateMessage(key));
    EXPECT_EQ(Frame().GetAttributeView(), Frame().GetActiveView());
    Frame().RouteCmdMsg(ID_NEXT_PANE);
    EXPECT_EQ(Frame().GetTabView(), Frame().GetActiveView());
    Frame().RouteCmdMsg(ID_NEXT_PANE);
    EXPECT_EQ(&Tree(), Frame().GetActiveView());
    Frame().RouteCmdMsg(ID_PREV_PANE);
    EXPECT_EQ(Frame().GetTabView(), Frame().GetActiveView());
}

// After a dialog over the main window closes, keys go on to the control
// that had them, not to the first control of its pane.
TEST_F(MainFrameTest, ClosingADialogGivesTheKeyboardBackToTheControlThatHadIt)
{
    Select("Orrery.Gauge.1");
    CTabView& tabs = *Frame().GetTabView();
    tabs.SelectPage(CTabView::PageRegistryEntries);
    Frame().SetActiveView(&tabs, false);
    HWND values = tabs.GetRegistryPane()->GetValueList();
    ::SetFocus(values);
    ASSERT_EQ(values, ::GetFocus());
    {
        CScriptedAnswers answers({{IDOK, nullptr}});
        Frame().RouteCmdMsg(ID_APP_ABOUT);
        ASSERT_EQ(1u, answers.Seen().size());
    }
    EXPECT_EQ(values, ::GetFocus()) << "the tab strip has the keyboard: " << (::GetFocus() == tabs.GetTabs());
}

TEST_F(MainFrameTest, CopyToClipboardTakesTheSelectedValue)
{
    Select("Orrery.Gauge.1");
    HWND list = Frame().GetAttributeView()->GetList();
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED;
    ::SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    Frame().SetActiveView(Frame().GetAttributeView());
    ASSERT_TRUE(Frame().RouteCmdMsg(ID_COPY_TO_CLIPBOARD));
    EXPECT_EQ(kGaugeClsid, ClipboardText());

    // A long value, such as a copyright notice, is copied whole.
    std::string longValue;
    for (int i = 0; longValue.size() < 5000; ++i)
        longValue += std::to_string(i) + " ";
    LVITEMA cell = {};
    cell.iSubItem = 1;
    cell.pszText = &longValue[0];
    ::SendMessageA(list, LVM_SETITEMTEXTA, 2, reinterpret_cast<LPARAM>(&cell));
    ASSERT_TRUE(Frame().RouteCmdMsg(ID_COPY_TO_CLIPBOARD));
    std::string copied = ClipboardText();
    EXPECT_EQ(longValue.size(), copied.size());
    EXPECT_TRUE(copied == longValue) << "cut or changed";
}

TEST(GotoFileLocation, OpensTheFolderOfTheServerFile)
{
    EXPECT_EQ("Explorer C:\\WINNT\\SYSTEM32", GotoFileLocationCommand("C:\\WINNT\\SYSTEM32\\X.OCX"));
    EXPECT_EQ("Explorer \"C:\\Program Files\\App\"", GotoFileLocationCommand("C:\\Program Files\\App\\app.exe"));
    EXPECT_EQ("Explorer ole32.dll", GotoFileLocationCommand("ole32.dll"));
    EXPECT_EQ("Explorer C:", GotoFileLocationCommand("C:\\x.dll"));
}

} // namespace

namespace {

// How many different colours the screen shows over a window's rectangle: a
// control that was not painted shows only its background.
size_t ColoursOnScreen(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    std::set<COLORREF> colours;
    for (int y = 0; y < height; y += 1) {
        for (int x = 0; x < width; x += 1)
            colours.insert(::GetPixel(screen, rect.left + x, rect.top + y));
    }
    ::ReleaseDC(nullptr, screen);
    return colours.size();
}

TEST_F(MainFrameTest, TheTabsAndTheListHeaderAreDrawnAgainAfterTheBarsComeBack)
{
    ::UpdateWindow(Frame().GetSafeHwnd());
    PumpMessages();
    HWND header = reinterpret_cast<HWND>(::SendMessageA(Frame().GetAttributeView()->GetList(), LVM_GETHEADER, 0, 0));
    size_t tabColours = ColoursOnScreen(Tree().GetTabs());
    size_t headerColours = ColoursOnScreen(header);
    ASSERT_GT(tabColours, 2u) << "the tabs show their texts and images";
    ASSERT_GT(headerColours, 1u);
    for (UINT bar : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        Frame().RouteCmdMsg(bar);
        PumpMessages();
        Frame().RouteCmdMsg(bar);
        PumpMessages();
        ::Sleep(200);
        PumpMessages();
        EXPECT_EQ(tabColours, ColoursOnScreen(Tree().GetTabs())) << bar;
        EXPECT_EQ(headerColours, ColoursOnScreen(header)) << bar;
    }
}

} // namespace
