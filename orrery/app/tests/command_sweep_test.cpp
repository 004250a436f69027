// Every command the user can reach — each item of the menus, each toolbar
// button, each accelerator and the tree's Delete key — is sent to the main
// window with nothing selected and with each object of each tab selected.
// Whatever boxes the commands open are answered; the program must still be
// there after each one.
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/program_state.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

void AddMenuCommands(HMENU menu, std::set<UINT>& ids)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU popup = ::GetSubMenu(menu, i)) {
            AddMenuCommands(popup, ids);
            continue;
        }
        UINT id = ::GetMenuItemID(menu, i);
        if (id != 0 && id != static_cast<UINT>(-1))
            ids.insert(id);
    }
}

class CommandSweepTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        AddSampleClasses(Machine());
        // Nothing starts, so that no command waits for a program's window.
        s_shell.executeResult = ERROR_FILE_NOT_FOUND;
        UseShell(&s_shell);
        OpenMainWindow();
    }
    static void TearDownTestSuite()
    {
        MainWindowTest::TearDownTestSuite();
        UseShell(nullptr);
    }

    // The ids of the main menu, the toolbar and the accelerators. Exit is
    // left out: ending the program is what it is for.
    std::vector<UINT> ReachableCommands()
    {
        std::set<UINT> ids;
        AddMenuCommands(::GetMenu(Frame().GetSafeHwnd()), ids);
        for (UINT id : Frame().GetToolBar().GetItemIds()) {
            if (id != 0)
                ids.insert(id);
        }
        HACCEL table = ::LoadAcceleratorsA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
        std::vector<ACCEL> keys(::CopyAcceleratorTableA(table, nullptr, 0));
        ::CopyAcceleratorTableA(table, keys.data(), static_cast<int>(keys.size()));
        for (const ACCEL& key : keys)
            ids.insert(key.cmd);
        ids.erase(ID_APP_EXIT);
        return std::vector<UINT>(ids.begin(), ids.end());
    }

    void ExpectAlive(const std::string& when)
    {
        ASSERT_TRUE(::IsWindow(Frame().GetSafeHwnd())) << when;
        ASSERT_EQ(&Frame(), CWinApp::Get()->m_pMainWnd) << when;
        PumpMessages();
    }

    // Sends every command, and the Delete key in the tree, with label
    // selected first (nothing selected for an empty label).
    void SendEverything(const std::string& label)
    {
        for (UINT id : ReachableCommands()) {
            SelectIfThere(label);
            ::SendMessageA(Frame().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
            ExpectAlive("command " + std::to_string(id) + " on '" + label + "'");
        }
        SelectIfThere(label);
        ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_DELETE, 0);
        ExpectAlive("Delete on '" + label + "'");
    }

    void SelectIfThere(const std::string& label)
    {
        if (!::IsWindowVisible(Frame().GetToolBar().GetSafeHwnd()))
            Frame().RouteCmdMsg(ID_VIEW_TOOLBAR);
        if (!label.empty() && FindChild(TreeControl(), RootItem(), label))
            Select(label);
    }

    static CRecordingShell s_shell;
};

CRecordingShell CommandSweepTest::s_shell;

TEST_F(CommandSweepTest, NoCommandEndsTheProgram)
{
    CBoxAnswerer answerer;
    std::vector<UINT> commands = ReachableCommands();
    for (UINT id : {ID_REGISTER, ID_JUMP_TYPELIB, ID_OPTIONS, ID_APP_ABOUT, ID_VIEW_STATUS_BAR, ID_NEXT_PANE,
                    ID_PREV_PANE})
        EXPECT_EQ(1, std::count(commands.begin(), commands.end(), id)) << id;

    SendEverything("");
    for (int tab = 0; tab < 3; ++tab) {
        Frame().SetActiveView(&Tree());
        Tree().SelectTab(tab);
        for (const std::string& label : Labels()) {
            SendEverything(label);
            Tree().SelectTab(tab);
        }
    }

    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    auto about = std::find_if(boxes.begin(), boxes.end(),
                              [](const CBoxAnswerer::Box& box) { return box.caption == "About Orrery"; });
    ASSERT_NE(boxes.end(), about) << "the About box was opened and answered";
    EXPECT_NE(std::string::npos, about->text.find("Orrery 1.61"));
    for (const CBoxAnswerer::Box& box : boxes)
        std::printf("box: [%s] %s -> %d\n", box.caption.c_str(), box.text.c_str(), box.answer);
}

TEST_F(CommandSweepTest, TheBoxAnswererPressesThePreferredButtonOrElseTheFirst)
{
    CBoxAnswerer answerer(::GetCurrentProcessId(), {IDRETRY});
    int result = ::MessageBoxA(nullptr, "Try again?", "Sweep", MB_RETRYCANCEL);
    EXPECT_EQ(IDRETRY, result);
    result = ::MessageBoxA(nullptr, "Sure?", "Sweep", MB_YESNO);
    EXPECT_EQ(IDYES, result);
    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ("Sweep", boxes[0].caption);
    EXPECT_EQ("Try again?", boxes[0].text);
    EXPECT_EQ(IDRETRY, boxes[0].answer);
    EXPECT_EQ("Sure?", boxes[1].text);
}

} // namespace
