#include "orrery/app/ini_profile.h"
#include "orrery/app/options_dlg.h"
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/maintenance_windows.h"
#include "orrery/app/program_state.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_modules.h"

#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace {

std::string TempIniPath()
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    char path[MAX_PATH] = "";
    ::GetTempFileNameA(folder, "opt", 0, path);
    ::DeleteFileA(path);
    return path;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsChecked(HWND dialog, UINT id)
{
    return ::SendMessageA(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_dialog && m_dialog->GetSafeHwnd())
            m_dialog->DestroyWindow();
        ::DeleteFileA(m_path.c_str());
    }

    HWND Open(const COptions& values)
    {
        m_dialog.reset(new COptionsDlg(m_profile, values));
        EXPECT_TRUE(m_dialog->Create(nullptr));
        return m_dialog->GetSafeHwnd();
    }

    // Presses a button as a click does.
    void Press(UINT id)
    {
        HWND dialog = m_dialog->GetSafeHwnd();
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }

    std::string m_path = TempIniPath();
    CIniProfile m_profile{m_path};
    std::unique_ptr<COptionsDlg> m_dialog;
};

TEST_F(OptionsDialogTest, ShowsTheValuesItIsGiven)
{
    COptions values;
    values.DisplayMissing = false;
    values.ConfirmRemove = false;
    values.DisplayInList = LabelFileLocation;
    HWND dialog = Open(values);
    EXPECT_EQ("Orrery Options", WindowTextOf(dialog));
    EXPECT_EQ("Display &misbehaved objects", CDialogDriver::ItemText(dialog, IDC_DISPLAY_MISSING));
    EXPECT_EQ("&Display well behaved objects", CDialogDriver::ItemText(dialog, IDC_DISPLAY_INSTALLED));
    EXPECT_EQ("Show &confirmation after removing an object", CDialogDriver::ItemText(dialog, IDC_CONFIRM_REMOVE));
    EXPECT_EQ("&Help", CDialogDriver::ItemText(dialog, IDC_DIALOG_HELP));
    EXPECT_FALSE(IsChecked(dialog, IDC_DISPLAY_MISSING));
    EXPECT_TRUE(IsChecked(dialog, IDC_DISPLAY_INSTALLED));
    EXPECT_FALSE(IsChecked(dialog, IDC_CONFIRM_REMOVE));

    HWND labels = ::GetDlgItem(dialog, IDC_DISPLAY_IN_LIST);
    ASSERT_EQ(4, ::SendMessageA(labels, CB_GETCOUNT, 0, 0));
    const char* expected[] = {"ProgID", "CLSID", "File Location", "TypeLib Name"};
    for (int i = 0; i < 4; ++i) {
        char text[64] = "";
        ::SendMessageA(labels, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(expected[i], text);
    }
    EXPECT_EQ(LabelFileLocation, ::SendMessageA(labels, CB_GETCURSEL, 0, 0));
}

TEST_F(OptionsDialogTest, OKWritesTheChoicesToTheGeneralSection)
{
    HWND dialog = Open(COptions());
    ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_INSTALLED), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_IN_LIST), CB_SETCURSEL, LabelTypeLibName, 0);
    Press(IDOK);
    EXPECT_EQ(nullptr, m_dialog->GetSafeHwnd()) << "closed";
    EXPECT_EQ("[General]\nDisplayMissing=Yes\nDisplayInstalled=No\nConfirmRemove=Yes\nDisplayInList=3\n",
              FileText(m_path));
}

TEST_F(OptionsDialogTest, ALabelNumberOutsideTheListSelectsNothingAndOKWritesMinusOne)
{
    COptions values;
    values.DisplayInList = 7;
    HWND dialog = Open(values);
    EXPECT_EQ(CB_ERR, ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_IN_LIST), CB_GETCURSEL, 0, 0));
    Press(IDOK);
    char text[16] = "";
    ::GetPrivateProfileStringA("General", "DisplayInList", "", text, sizeof text, m_path.c_str());
    EXPECT_STREQ("-1", text);
    COptions readBack;
    readBack.DisplayInList = LabelClsid;
    ReadOptions(m_profile, readBack);
    EXPECT_TRUE(readBack.DisplayInList < LabelClsid || readBack.DisplayInList > LabelTypeLibName)
        << "labels by ProgID: " << readBack.DisplayInList;
}

TEST_F(OptionsDialogTest, CancelWritesNothing)
{
    HWND dialog = Open(COptions());
    ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_MISSING), BM_SETCHECK, BST_UNCHECKED, 0);
    Press(IDCANCEL);
    EXPECT_EQ(nullptr, m_dialog->GetSafeHwnd());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(m_path.c_str()));
}

TEST_F(OptionsDialogTest, HelpOpensTheOptionsTopic)
{
    CRecordingShell shell;
    UseShell(&shell);
    Open(COptions());
    Press(IDC_DIALOG_HELP);
    UseShell(nullptr);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ(m_dialog->GetSafeHwnd(), shell.calls[0].owner);
    EXPECT_NE(std::string::npos, shell.calls[0].target.find("\\orrery-help\\options.html")) << shell.calls[0].target;
}

// The Options command over the main window, with orrery.ini in the Windows
// folder as the program keeps it.
class OptionsCommandTest : public SampleWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ::DeleteFileA(IniPath().c_str());
    }
    void TearDown() override
    {
        ::DeleteFileA(IniPath().c_str());
        Options() = COptions();
    }

    static std::string IniPath()
    {
        char folder[MAX_PATH] = "";
        ::GetWindowsDirectoryA(folder, MAX_PATH);
        return std::string(folder) + "\\orrery.ini";
    }

    // Runs the command; prepare sets the dialog's controls before OK or
    // Cancel (the first of answers it has) is pressed.
    std::vector<CBoxAnswerer::Box> RunOptions(std::function<void(HWND)> prepare, std::vector<int> answers)
    {
        CBoxAnswerer answerer(::GetCurrentProcessId(), answers);
        answerer.PrepareEachBox(prepare);
        Frame().RouteCmdMsg(ID_OPTIONS);
        return answerer.TakeBoxes();
    }
};

TEST_F(OptionsCommandTest, OKRefillsTheTreeFromTheCatalogueWithoutANewSearch)
{
    Select("Orrery.Gauge.1");
    orrery::CComObject* dial = nullptr;
    for (orrery::CComObject* record : orrery::RecordsOf(*Tree().CurrentList()))
        if (record->GetProgID() == "Orrery.Dial")
            dial = record;
    unsigned long enumerations = Machine().registry.Counts().keyEnums;

    std::vector<CBoxAnswerer::Box> boxes = RunOptions(
        [](HWND dialog) {
            ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_INSTALLED), BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_IN_LIST), CB_SETCURSEL, LabelClsid, 0);
        },
        {IDOK});
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Orrery Options", boxes[0].caption);

    EXPECT_FALSE(Options().DisplayInstalled);
    EXPECT_TRUE(Options().DisplayMissing);
    EXPECT_EQ(LabelClsid, Options().DisplayInList);
    EXPECT_EQ((std::vector<std::string>{kDialClsid}), Labels());
    EXPECT_EQ("Items: 2", ItemCountText());
    EXPECT_EQ(enumerations, Machine().registry.Counts().keyEnums) << "the registry was not searched again";
    ASSERT_NE(nullptr, FindChild(TreeControl(), RootItem(), kDialClsid));
    Select(kDialClsid);
    EXPECT_EQ(dial, Tree().GetSelectedRecord()) << "the same record, not a new one";

    char text[16] = "";
    ::GetPrivateProfileStringA("General", "DisplayInstalled", "", text, sizeof text, "orrery.ini");
    EXPECT_STREQ("No", text);
}

TEST_F(OptionsCommandTest, ClearingBothDisplayBoxesLeavesOnlyTheRoot)
{
    RunOptions(
        [](HWND dialog) {
            ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_INSTALLED), BM_SETCHECK, BST_UNCHECKED, 0);
            ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_MISSING), BM_SETCHECK, BST_UNCHECKED, 0);
        },
        {IDOK});
    EXPECT_EQ((std::vector<std::string>{"Controls"}), TreeChildTexts(TreeControl(), TVI_ROOT));
    EXPECT_TRUE(Labels().empty());
}

TEST_F(OptionsCommandTest, ALabelNumberOutsideTheListLabelsByProgIDAfterOK)
{
    Options().DisplayInList = 7;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1"}), Labels());
    RunOptions(nullptr, {IDOK});
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1"}), Labels());
    char text[16] = "";
    ::GetPrivateProfileStringA("General", "DisplayInList", "", text, sizeof text, "orrery.ini");
    EXPECT_STREQ("-1", text);
}

TEST_F(OptionsCommandTest, TheRemovalReportFollowsConfirmRemove)
{
    orrery::CMemoryModules modules;
    orrery::CMemoryBackupFolder backups;
    UseMaintenanceMachine(&modules, &backups);
    const char* const kClasses[] = {"{6B1D0A60-0000-4000-8000-00000000A001}", "{6B1D0A60-0000-4000-8000-00000000A002}"};
    for (const char* clsid : kClasses) {
        std::string progId = std::string("Gone.Control.") + clsid[36];
        Machine().registry.SetString(std::string("CLSID\\") + clsid + "\\ProgID", "", progId);
        Machine().registry.SetString(std::string("CLSID\\") + clsid + "\\InprocServer32", "", "C:\\gone\\x.ocx");
        Machine().registry.AddKey(std::string("CLSID\\") + clsid + "\\Control");
    }
    Tree().RefreshCatalogue(false, nullptr);

    auto removeAndShow = [this](const std::string& label) {
        Select(label);
        CBoxAnswerer answerer;
        Frame().RouteCmdMsg(ID_REMOVE_FROM_REGISTRY);
        std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
        return boxes.empty() ? std::string("<no box>") : boxes[0].text;
    };
    RunOptions([](HWND dialog) {
        ::SendMessageA(::GetDlgItem(dialog, IDC_CONFIRM_REMOVE), BM_SETCHECK, BST_UNCHECKED, 0);
    }, {IDOK});
    EXPECT_FALSE(Options().ConfirmRemove);
    EXPECT_EQ("<no box>", removeAndShow("Gone.Control.1"));
    EXPECT_FALSE(Machine().registry.HasKey(std::string("CLSID\\") + kClasses[0]));

    RunOptions([](HWND dialog) {
        ::SendMessageA(::GetDlgItem(dialog, IDC_CONFIRM_REMOVE), BM_SETCHECK, BST_CHECKED, 0);
    }, {IDOK});
    EXPECT_NE(std::string::npos, removeAndShow("Gone.Control.2").find("Gone.Control.2 was successfully removed"));
    EXPECT_FALSE(Machine().registry.HasKey(std::string("CLSID\\") + kClasses[1]));
    UseMaintenanceMachine(nullptr, nullptr);
}

TEST_F(OptionsCommandTest, CancelChangesNothing)
{
    RunOptions([](HWND dialog) {
        ::SendMessageA(::GetDlgItem(dialog, IDC_DISPLAY_MISSING), BM_SETCHECK, BST_UNCHECKED, 0);
    }, {IDCANCEL});
    EXPECT_TRUE(Options().DisplayMissing);
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1"}), Labels());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(IniPath().c_str()));
}

} // namespace
