// The object commands of the tools on the main window over an in-memory
// machine: View in IE, Goto File Location, Run EXE Server and Compare With.
#include "orrery/app/program_state.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/platform/system_error.h"
#include "orrery/reports/test_page.h"
#include "orrery/reports/tests/win32/window_driver.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD kBoxWaitMs = 5000;
const char kHostileProgId[] = "<b>\"Bold\"</b> & 'more'";
const char kHostileClsid[] = "{H1\"><script>}";

std::string WithCrLf(const std::string& text)
{
    std::string converted;
    for (char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

std::string TempDirectory()
{
    char directory[MAX_PATH + 1] = "";
    ::GetTempPathA(sizeof directory, directory);
    return directory;
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The file an "Explorer ..." command line opens.
std::string ExplorerTarget(const std::string& commandLine)
{
    std::string target = commandLine.substr(std::string("Explorer ").size());
    if (target.size() >= 2 && target.front() == '"' && target.back() == '"')
        target = target.substr(1, target.size() - 2);
    return target;
}

void AddFolder(orrery::CMemoryPlatform& machine, const std::string& path)
{
    orrery::CFileEntry entry;
    entry.isDirectory = true;
    machine.files.AddFile(path, entry);
}

class ObjectToolsTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        orrery::CMemoryPlatform& machine = Machine();
        AddSampleClasses(machine);
        AddFolder(machine, "C:\\lib");

        std::string hostile = std::string("CLSID\\") + kHostileClsid;
        machine.registry.SetString(hostile + "\\ProgID", "", kHostileProgId);
        machine.registry.SetString(hostile + "\\InprocServer32", "", "C:\\lib\\gauge.ocx");
        machine.registry.AddKey(hostile + "\\Control");

        machine.registry.SetString("CLSID\\{C3}\\ProgID", "", "Orrery.Lost");
        machine.registry.SetString("CLSID\\{C3}\\InprocServer32", "", "C:\\gone\\lost.ocx");
        machine.registry.AddKey("CLSID\\{C3}\\Control");

        machine.registry.SetString("CLSID\\{E2}\\ProgID", "", "Orrery.Missing");
        machine.registry.SetString("CLSID\\{E2}\\LocalServer32", "", "C:\\apps\\missing.exe -embedding");
        OpenMainWindow();
    }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        UseShell(&shell);
    }
    void TearDown() override { UseShell(nullptr); }

    SeenBox RunCommand(UINT id, DWORD waitMs = kBoxWaitMs)
    {
        return RunAnsweringBox([this, id] { Frame().RouteCmdMsg(id); }, "Orrery", waitMs);
    }

    // Runs the command on the selected object and expects a box over the
    // main window that says text, and nothing started.
    void ExpectToldInsteadOfStarted(UINT id, const std::string& text)
    {
        SeenBox box = RunCommand(id);
        ASSERT_TRUE(box.found);
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(Frame().GetSafeHwnd(), box.owner);
        EXPECT_TRUE(shell.Executed().empty());
    }

    CRecordingShell shell;
};

TEST_F(ObjectToolsTest, ViewInIeWritesTheTestPageAsANewTemporaryFileAndOpensIt)
{
    Select("Orrery.Gauge.1");
    SeenBox box = RunCommand(ID_VIEW_IN_IE, 500);
    EXPECT_FALSE(box.found) << box.text;
    ASSERT_EQ(1u, shell.Executed().size());
    std::string command = shell.Executed()[0];
    ASSERT_TRUE(StartsWith(command, "Explorer ")) << command;
    std::string page = ExplorerTarget(command);

    std::string directory = TempDirectory();
    EXPECT_TRUE(StartsWith(page, directory)) << page;
    std::string name = page.substr(directory.size());
    EXPECT_TRUE(StartsWith(name, "axm")) << name;
    EXPECT_TRUE(EndsWith(name, ".tmp.HTM")) << name;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(page.substr(0, page.size() - 4).c_str()))
        << "the temporary file is renamed, not copied";
    std::string clsidWithoutBraces = kGaugeClsid.substr(1, kGaugeClsid.size() - 2);
    EXPECT_EQ(WithCrLf(orrery::TestPageText("Orrery.Gauge.1", clsidWithoutBraces)), test_support::read_file(page));
    EXPECT_EQ(Tree().GetSelectedItem(), TreeView_GetSelection(TreeControl()));
    ::DeleteFileA(page.c_str());
}

TEST_F(ObjectToolsTest, ViewInIeKeepsAHostileProgIdAndClsidAsText)
{
    Select(kHostileProgId);
    RunCommand(ID_VIEW_IN_IE, 500);
    ASSERT_EQ(1u, shell.Executed().size());
    std::string page = ExplorerTarget(shell.Executed()[0]);
    std::string bytes = test_support::read_file(page);
    EXPECT_EQ(std::string::npos, bytes.find("<b>"));
    EXPECT_EQ(std::string::npos, bytes.find("<script>"));
    EXPECT_NE(std::string::npos,
              bytes.find("<title>\r\n&lt;b&gt;&quot;Bold&quot;&lt;/b&gt; &amp; &#39;more&#39; - Preview"));
    EXPECT_NE(std::string::npos, bytes.find("classid=\"clsid:H1&quot;&gt;&lt;script&gt;\"\r\nWidth=300"));
    ::DeleteFileA(page.c_str());
}

TEST_F(ObjectToolsTest, ViewInIeWithoutATemporaryFolderDoesNothing)
{
    char savedTmp[MAX_PATH] = "";
    char savedTemp[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TMP", savedTmp, sizeof savedTmp);
    ::GetEnvironmentVariableA("TEMP", savedTemp, sizeof savedTemp);
    ::SetEnvironmentVariableA("TMP", "C:\\no\\such\\folder");
    ::SetEnvironmentVariableA("TEMP", "C:\\no\\such\\folder");
    Select("Orrery.Gauge.1");
    SeenBox box = RunCommand(ID_VIEW_IN_IE, 500);
    ::SetEnvironmentVariableA("TMP", savedTmp);
    ::SetEnvironmentVariableA("TEMP", savedTemp);
    EXPECT_FALSE(box.found) << box.text;
    EXPECT_TRUE(shell.Executed().empty());
}

TEST_F(ObjectToolsTest, GotoFileLocationOpensTheFolderWhileItExists)
{
    Select("Orrery.Gauge.1");
    EXPECT_FALSE(RunCommand(ID_GOTO_FILE_LOCATION, 500).found);
    Select("Orrery.Dial");
    EXPECT_FALSE(RunCommand(ID_GOTO_FILE_LOCATION, 500).found) << "the file is missing, its folder is there";
    EXPECT_EQ((std::vector<std::string>{"Explorer C:\\lib", "Explorer C:\\lib"}), shell.Executed());
}

TEST_F(ObjectToolsTest, GotoFileLocationTellsTheUserWhenTheFolderIsMissing)
{
    Select("Orrery.Lost");
    ExpectToldInsteadOfStarted(ID_GOTO_FILE_LOCATION, "The folder was not found:\n\nC:\\gone");

    // A double click in the tree is Goto File Location too.
    NMHDR click = {TreeControl(), IDC_OBJECT_TREE, static_cast<UINT>(NM_DBLCLK)};
    SeenBox box = RunAnsweringBox(
        [&] {
            ::SendMessageA(Tree().GetSafeHwnd(), WM_NOTIFY, IDC_OBJECT_TREE, reinterpret_cast<LPARAM>(&click));
        },
        "Orrery", kBoxWaitMs);
    EXPECT_EQ("The folder was not found:\n\nC:\\gone", box.text);
}

TEST_F(ObjectToolsTest, RunExeServerStartsTheServerCommandLine)
{
    Tree().SelectTab(2);
    Select("Orrery Server Application");
    EXPECT_FALSE(RunCommand(ID_RUN_EXE_SERVER, 500).found);
    EXPECT_EQ((std::vector<std::string>{"C:\\apps\\server.exe /automation"}), shell.Executed());
}

TEST_F(ObjectToolsTest, RunExeServerTellsTheUserWhenTheFileIsMissingOrWillNotStart)
{
    Tree().SelectTab(2);
    Select("Orrery.Missing");
    ExpectToldInsteadOfStarted(ID_RUN_EXE_SERVER, "The file was not found:\n\nC:\\apps\\missing.exe -embedding");

    shell.executeResult = ERROR_BAD_FORMAT;
    Select("Orrery Server Application");
    SeenBox box = RunCommand(ID_RUN_EXE_SERVER);
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(StartsWith(box.text, "The server could not be started:\n\nC:\\apps\\server.exe /automation\n\n"))
        << box.text;
    EXPECT_GT(box.text.size(), std::string("The server could not be started:\n\nC:\\apps\\server.exe /automation\n\n").size());

    // 0 is the program loader running out of memory, not success.
    shell.executeResult = 0;
    box = RunCommand(ID_RUN_EXE_SERVER);
    ASSERT_TRUE(box.found);
    EXPECT_EQ("The server could not be started:\n\nC:\\apps\\server.exe /automation\n\n" +
                  orrery::SystemErrorText(ERROR_NOT_ENOUGH_MEMORY),
              box.text);
}

struct CompareWindow {
    bool opened = false;
    HWND owner = nullptr;
    std::string firstFile;
};

// Compare With opens the dialog over the main window; it is read, asked for
// help and cancelled from another thread.
CompareWindow RunCompareWith(CSplitterFrame& frame)
{
    CompareWindow seen;
    std::thread reader([&seen] {
        HWND dialog = WaitForWindow(::GetCurrentProcessId(), "Compare COM Files", kBoxWaitMs);
        if (!dialog)
            return;
        seen.opened = true;
        seen.owner = ::GetWindow(dialog, GW_OWNER);
        seen.firstFile = ControlText(dialog, IDC_COMPARE_FIRST_FILE);
        ::SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMPARE_HELP, BN_CLICKED),
                              reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_COMPARE_HELP)), SMTO_NORMAL,
                              kBoxWaitMs, nullptr);
        Click(dialog, IDCANCEL);
        WaitUntilGone(dialog, kBoxWaitMs);
    });
    frame.RouteCmdMsg(ID_COMPARE_WITH);
    reader.join();
    return seen;
}

TEST_F(ObjectToolsTest, CompareWithStartsFromTheSelectedObjectsServerFile)
{
    Select("Orrery.Gauge.1");
    CompareWindow seen = RunCompareWith(Frame());
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ(Frame().GetSafeHwnd(), seen.owner);
    EXPECT_EQ("C:\\lib\\gauge.ocx", seen.firstFile);
    // Help opens the compare topic for the main window (the help pages lie
    // beside the test program).
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("open", shell.calls[0].kind);
    EXPECT_EQ(Frame().GetSafeHwnd(), shell.calls[0].owner);
    EXPECT_TRUE(EndsWith(shell.calls[0].target, "\\orrery-help\\compare.html")) << shell.calls[0].target;

    // An EXE server's command line carries arguments; its file is compared.
    Tree().SelectTab(2);
    Select("Orrery Server Application");
    seen = RunCompareWith(Frame());
    ASSERT_TRUE(seen.opened);
    EXPECT_EQ("C:\\apps\\server.exe", seen.firstFile);
    EXPECT_EQ(Tree().GetSelectedItem(), TreeView_GetSelection(TreeControl()));
}

} // namespace
