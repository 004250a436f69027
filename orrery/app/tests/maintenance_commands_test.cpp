// The Register, Unregister and Remove from Registry commands in the main
// window over a machine in memory: the questions, the reports, what happens
// to the tree, and a user who may not change the machine's classes.
#include "orrery/app/control_adapters.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/app/program_state.h"
#include "orrery/app/tests/scripted_answers.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_modules.h"
#include "orrery/tests/servers/test_servers.h"

#include <algorithm>

namespace {

const char kMeter[] = "{0A0A0A0A-0000-0000-0000-0000000000A1}";
const char kKnob[] = "{0A0A0A0A-0000-0000-0000-0000000000A2}";
const char kStore[] = "{0A0A0A0A-0000-0000-0000-0000000000A3}";
const char kRefuser[] = "{0A0A0A0A-0000-0000-0000-0000000000A4}";
const char kFresh[] = "{0A0A0A0A-0000-0000-0000-0000000000A5}";

void AddClass(orrery::CMemoryPlatform& machine, const std::string& clsid, const std::string& progId,
              const std::string& server, bool control, bool fileThere)
{
    orrery::CMemoryRegistry& registry = machine.registry;
    registry.SetString("CLSID\\" + clsid + "\\InprocServer32", "", server);
    registry.SetString("CLSID\\" + clsid + "\\ProgID", "", progId);
    registry.SetString(progId + "\\CLSID", "", clsid);
    if (control)
        registry.AddKey("CLSID\\" + clsid + "\\Control");
    if (fileThere)
        machine.files.AddFile(server, 1000);
}

class MaintenanceCommandsTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        AddSampleClasses(Machine());
        s_modules = new orrery::CMemoryModules;
        s_backups = new orrery::CMemoryBackupFolder;
        UseMaintenanceMachine(s_modules, s_backups);
        OpenMainWindow();
    }
    static void TearDownTestSuite()
    {
        MainWindowTest::TearDownTestSuite();
        UseMaintenanceMachine(nullptr, nullptr);
        delete s_modules;
        delete s_backups;
    }

    // The classes the tests change are made again before each test's scan.
    void SetUp() override
    {
        AddClass(Machine(), kMeter, "Orrery.Meter.1", "C:\\gone\\meter.ocx", true, false);
        AddClass(Machine(), kKnob, "Orrery.Knob.1", "C:\\lib\\knob.ocx", true, true);
        AddClass(Machine(), kStore, "Orrery.Store.1", "C:\\lib\\store.dll", false, true);
        AddClass(Machine(), kRefuser, "Orrery.Refuser.1", "C:\\lib\\refuser.dll", false, true);
        orrery::CModuleFixture store;
        store.entryPoints["DllUnregisterServer"] = [] {
            Machine().registry.RemoveKey(std::string("CLSID\\") + kStore);
            Machine().registry.RemoveKey("Orrery.Store.1");
            return orrery::Hresult(0);
        };
        s_modules->AddModule("C:\\lib\\store.dll", store);
        orrery::CModuleFixture refuser;
        refuser.entryPoints["DllUnregisterServer"] = [] { return static_cast<orrery::Hresult>(0x80070005u); };
        s_modules->AddModule("C:\\lib\\refuser.dll", refuser);
        MainWindowTest::SetUp();
    }

    void Command(UINT id) { ::SendMessageA(Frame().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Unregisters the DLL server labelled label and returns the one window
    // it showed (answered OK).
    CSeenDialog UnregisterDllServer(const std::string& label)
    {
        Tree().SelectTab(orrery::CategoryDllServers);
        Select(label);
        CScriptedAnswers answers({{IDOK, nullptr}});
        Command(ID_UNREGISTER);
        EXPECT_EQ(1u, answers.Seen().size());
        return answers.Seen().empty() ? CSeenDialog() : answers.Seen()[0];
    }
    bool Listed(const std::string& label)
    {
        std::vector<std::string> labels = Labels();
        return std::find(labels.begin(), labels.end(), label) != labels.end();
    }

    static orrery::CMemoryModules* s_modules;
    static orrery::CMemoryBackupFolder* s_backups;
};

orrery::CMemoryModules* MaintenanceCommandsTest::s_modules = nullptr;
orrery::CMemoryBackupFolder* MaintenanceCommandsTest::s_backups = nullptr;

TEST_F(MaintenanceCommandsTest, AMisbehavedControlIsRemovedWithoutAQuestionAndTheReportShown)
{
    Select("Orrery.Meter.1");
    std::string count = ItemCountText();
    CScriptedAnswers answers({{IDOK, nullptr}});
    Command(ID_REMOVE_FROM_REGISTRY);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Orrery", answers.Seen()[0].caption);
    EXPECT_EQ(0u, answers.Seen()[0].text.find(std::string("Orrery.Meter.1 was successfully removed from the "
                                                          "Registry.\n\nThe following keys were deleted:\n"
                                                          "------------------------------------------\n"
                                                          "ProgID: Orrery.Meter.1\nCLSID: ") +
                                              kMeter + "\n\nBackup of these keys (open it to restore them):\n"));
    EXPECT_FALSE(Listed("Orrery.Meter.1"));
    EXPECT_NE(count, ItemCountText());
    EXPECT_FALSE(Machine().registry.HasKey(std::string("CLSID\\") + kMeter));
    EXPECT_FALSE(Machine().registry.HasKey("Orrery.Meter.1"));
}

TEST_F(MaintenanceCommandsTest, AWellBehavedControlIsRemovedOnlyAfterYes)
{
    Select("Orrery.Knob.1");
    {
        CScriptedAnswers answers({{IDNO, nullptr}});
        Command(ID_REMOVE_FROM_REGISTRY);
        ASSERT_EQ(1u, answers.Seen().size());
        EXPECT_EQ("Confirm Registry Removal", answers.Seen()[0].caption);
        EXPECT_EQ("Orrery.Knob.1 is properly registered.\nIt is recommended that you unregister it instead (Use the "
                  "unregister button in the toolbar).\n\nWould you like to delete it from the registry anyway?",
                  answers.Seen()[0].text);
    }
    EXPECT_TRUE(Listed("Orrery.Knob.1"));
    EXPECT_TRUE(Machine().registry.HasKey(std::string("CLSID\\") + kKnob));

    // The Delete key in the tree runs the same command.
    Select("Orrery.Knob.1");
    CScriptedAnswers answers({{IDYES, nullptr}, {IDOK, nullptr}});
    ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ(0u, answers.Seen()[1].text.find("Orrery.Knob.1 was successfully removed from the Registry."));
    EXPECT_FALSE(Listed("Orrery.Knob.1"));
    EXPECT_FALSE(Machine().registry.HasKey(std::string("CLSID\\") + kKnob));
}

// Delete and then Enter on a well behaved object removes nothing: the
// question's default answer is No.
TEST_F(MaintenanceCommandsTest, TheRemovalQuestionAnswersNoToEnter)
{
    Select("Orrery.Knob.1");
    int defaultButton = -1;
    CScriptedAnswers answers({{IDNO, [&](HWND box) { defaultButton = EnterButton(box); }}});
    ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Confirm Registry Removal", answers.Seen()[0].caption);
    EXPECT_EQ(IDNO, defaultButton);
    EXPECT_TRUE(Listed("Orrery.Knob.1"));
}

// Keys typed after Delete, Unregister or F5 go on to the object tree, where
// they were typed, and not to the category tabs.
TEST_F(MaintenanceCommandsTest, TheKeyboardStaysInTheTreeAfterItsCommands)
{
    Select("Orrery.Meter.1");
    ::SetFocus(TreeControl());
    ASSERT_EQ(TreeControl(), ::GetFocus());
    {
        CScriptedAnswers answers({{IDOK, nullptr}});
        ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_DELETE, 0);
        ASSERT_EQ(1u, answers.Seen().size());
    }
    EXPECT_FALSE(Listed("Orrery.Meter.1"));
    EXPECT_EQ(TreeControl(), ::GetFocus()) << "after Delete";

    Select("Orrery.Knob.1");
    {
        CScriptedAnswers answers({{IDNO, nullptr}});
        ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_DELETE, 0);
        ASSERT_EQ(1u, answers.Seen().size());
    }
    EXPECT_EQ(TreeControl(), ::GetFocus()) << "after Delete answered No";

    ::SendMessageA(TreeControl(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(TreeControl(), ::GetFocus()) << "after F5";

    Tree().SelectTab(orrery::CategoryDllServers);
    Select("Orrery.Store.1");
    ::SetFocus(TreeControl());
    {
        CScriptedAnswers answers({{IDOK, nullptr}});
        Command(ID_UNREGISTER);
        ASSERT_EQ(1u, answers.Seen().size());
    }
    EXPECT_FALSE(Listed("Orrery.Store.1"));
    EXPECT_EQ(TreeControl(), ::GetFocus()) << "after Unregister";
}

TEST_F(MaintenanceCommandsTest, WithoutConfirmationTheRemovalShowsNothing)
{
    Options().ConfirmRemove = false;
    Select("Orrery.Meter.1");
    CScriptedAnswers answers({});
    Command(ID_REMOVE_FROM_REGISTRY);
    EXPECT_TRUE(answers.Seen().empty());
    EXPECT_FALSE(Listed("Orrery.Meter.1"));
}

TEST_F(MaintenanceCommandsTest, UnregisteringShowsTheUnregisteredDialogAndDropsTheObject)
{
    CSeenDialog told = UnregisterDllServer("Orrery.Store.1");
    EXPECT_EQ("COM Control Unregistered", told.caption);
    EXPECT_EQ("Unregistered Successfully !\nControl:\nOrrery.Store.1\nFile:\nC:\\lib\\store.dll", told.text);
    EXPECT_FALSE(Listed("Orrery.Store.1"));
    EXPECT_FALSE(Machine().registry.HasKey(std::string("CLSID\\") + kStore));
}

TEST_F(MaintenanceCommandsTest, AFailedUnregistrationSaysWhyAndKeepsTheObject)
{
    CSeenDialog told = UnregisterDllServer("Orrery.Refuser.1");
    EXPECT_EQ("Orrery", told.caption);
    EXPECT_EQ(0u, told.text.find("C:\\lib\\refuser.dll\n\nDllUnregisterServer failed with error 0x80070005."));
    EXPECT_NE(std::string::npos, told.text.find("Access denied: run Orrery as administrator"));
    EXPECT_NE(std::string::npos, told.text.find("Can't Unregister Orrery.Refuser.1"));
    EXPECT_TRUE(Listed("Orrery.Refuser.1"));
}

TEST_F(MaintenanceCommandsTest, RegisteringAFileRebuildsTheCatalogue)
{
    std::string file = TestServerPath(kPlainDll);
    orrery::CModuleFixture fresh;
    fresh.entryPoints["DllRegisterServer"] = [] {
        AddClass(Machine(), kFresh, "Orrery.Fresh.1", "C:\\lib\\fresh.ocx", true, true);
        return orrery::Hresult(0);
    };
    s_modules->AddModule(file, fresh);
    CScriptedAnswers answers({{IDOK, [&](HWND dialog) { SetFileDialogName(dialog, file); }}, {IDOK, nullptr}});
    Command(ID_REGISTER);
    ASSERT_EQ(2u, answers.Seen().size());
    EXPECT_EQ("Register ActiveX Control or DLL Server", answers.Seen()[0].caption);
    EXPECT_EQ(file + "\n\nRegistered Successfully !", answers.Seen()[1].text);
    EXPECT_TRUE(Listed("Orrery.Fresh.1"));
    Machine().registry.RemoveKey(std::string("CLSID\\") + kFresh);
}

TEST_F(MaintenanceCommandsTest, CancellingTheFileDialogDoesNothing)
{
    Select("Orrery.Knob.1");
    CScriptedAnswers answers({{IDCANCEL, nullptr}});
    Command(ID_REGISTER);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Orrery.Knob.1", controls::TreeItemText(TreeControl(), Tree().GetSelectedItem()));
}

// A user who is not an administrator: the machine's classes may be read but
// not changed.
class RefusedMaintenanceTest : public MaintenanceCommandsTest {
protected:
    static void SetUpTestSuite()
    {
        MaintenanceCommandsTest::SetUpTestSuite();
        Machine().registry.RefuseChanges("");
    }
};

TEST_F(RefusedMaintenanceTest, RemovalIsRefusedWithAClearMessageAndTheObjectStays)
{
    Select("Orrery.Meter.1");
    size_t backups = s_backups->Files().size();
    CScriptedAnswers answers({{IDOK, nullptr}});
    Command(ID_REMOVE_FROM_REGISTRY);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("Access denied: run Orrery as administrator to change HKEY_CLASSES_ROOT\\Orrery.Meter.1.\n\n"
              "Orrery.Meter.1 was not removed from the Registry; nothing was deleted.",
              answers.Seen()[0].text.substr(0, answers.Seen()[0].text.find("\n\n---")));
    EXPECT_TRUE(Listed("Orrery.Meter.1"));
    EXPECT_TRUE(Machine().registry.HasKey(std::string("CLSID\\") + kMeter));
    EXPECT_EQ(backups, s_backups->Files().size());
}

} // namespace
