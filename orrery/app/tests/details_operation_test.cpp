// The "-V" start on the test run's own registry, with a real server DLL of
// its own: the details window at once for a registered server, the question
// for an unregistered one, the messages when nothing can be shown; and a
// value edited through the details window read back with the system's reg
// tool.
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/details_operation.h"
#include "orrery/app/file_details_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/tests/console_program.h"
#include "orrery/tests/servers/details_server_ids.h"
#include "orrery/tests/servers/test_servers.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "COM File Details - " DETAILS_PROGID;
const char kSettingsKey[] = "CLSID\\" DETAILS_CLSID "\\" DETAILS_VALUES_KEY;

std::string UpperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    return text;
}

// Runs a console program and returns what it wrote to its output.
std::string RunAndRead(const std::string& commandLine)
{
    CConsoleRun run = RunConsoleProgram(commandLine, true, 30000);
    return run.started ? run.output : "<not started>";
}

std::string RegQuery(const std::string& key, const std::string& value)
{
    return RunAndRead("reg.exe query \"HKCR\\" + key + "\" /v \"" + value + "\"");
}

HTREEITEM FindPath(HWND tree, const std::vector<std::string>& texts)
{
    HTREEITEM item = TVI_ROOT;
    for (const std::string& text : texts) {
        item = FindChild(tree, item, text);
        if (!item)
            return nullptr;
    }
    return item;
}

int RowOf(HWND list, const std::string& name)
{
    std::vector<AttributeRow> rows = ListRows(list);
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].label == name)
            return static_cast<int>(row);
    }
    return -1;
}

class DetailsOperationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&common);
        UseMachine(nullptr);
    }

    void TearDown() override { CallServer("DllUnregisterServer"); }

    static std::string ServerPath() { return TestServerPath(kDetailsServer); }

    static void CallServer(const char* entryPoint) { EXPECT_EQ(S_OK, CallTestServer(kDetailsServer, entryPoint)); }

    // Runs the operation as the command line does: on the upper-cased path.
    static void Run(CDialogDriver& driver, const std::string& path)
    {
        driver.Run([&] { RunDetailsOperation(UpperCase(path)); });
        EXPECT_EQ(0u, driver.Pending());
        EXPECT_TRUE(driver.Unexpected().empty()) << driver.Unexpected().front();
    }
};

TEST_F(DetailsOperationTest, ARegisteredServerShowsItsDetailsAtOnce)
{
    CallServer("DllRegisterServer");
    std::vector<AttributeRow> attributes;
    std::vector<AttributeRow> settings;
    CDialogDriver driver;
    driver.Expect(kTitle, [&](HWND window) {
        auto* details = static_cast<CFileDetailsDlg*>(CWnd::FromHandle(window));
        attributes = ListRows(details->GetAttributeList());
        CRegistryEntriesPane& pane = details->GetRegistryPane();
        details->SelectPage(CFileDetailsDlg::PageRegistryEntries);
        HTREEITEM key = FindPath(pane.GetKeyTree(), {"HKEY_CLASSES_ROOT", "CLSID", DETAILS_CLSID, DETAILS_VALUES_KEY});
        if (key)
            ::SendMessageA(pane.GetKeyTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(key));
        settings = ListRows(pane.GetValueList());
        CDialogDriver::Press(IDOK)(window);
    });
    Run(driver, ServerPath());

    ASSERT_GE(attributes.size(), 19u);
    EXPECT_EQ((AttributeRow{"ProgID", DETAILS_PROGID, 0}), attributes[0]);
    EXPECT_EQ((AttributeRow{"CLSID", DETAILS_CLSID, 0}), attributes[2]);
    EXPECT_EQ((AttributeRow{"File Location", ServerPath(), 1}), attributes[5]);
    EXPECT_EQ((AttributeRow{"Status", "File Exists", 1}), attributes[6]);
    EXPECT_NE(attributes.end(), std::find(attributes.begin(), attributes.end(),
                                          AttributeRow{"File Version", "2.1.0.7", 2}));
    const std::vector<AttributeRow> expected = {
        {"(Default)", "gauge settings", 2}, {"Cache", "%TEMP%\\orrery", 2},    {"Caption", "Tarnwick Gauge", 2},
        {"Colour", "A 0 FF 7F ", 3},        {"Search Paths", "C:\\Tarnwick", 2}, {"Timeout", "FF (255)", 3}};
    EXPECT_EQ(expected, settings);
}

TEST_F(DetailsOperationTest, AKeyDeletedWhileShownIsToldWhenWrittenTo)
{
    CallServer("DllRegisterServer");
    std::string message;
    size_t rowsAfter = 1;
    CDialogDriver driver;
    driver.Expect(kTitle, [&](HWND window) {
        auto* details = static_cast<CFileDetailsDlg*>(CWnd::FromHandle(window));
        CRegistryEntriesPane& pane = details->GetRegistryPane();
        HTREEITEM key = FindPath(pane.GetKeyTree(), {"HKEY_CLASSES_ROOT", "CLSID", DETAILS_CLSID, DETAILS_VALUES_KEY});
        if (key)
            ::SendMessageA(pane.GetKeyTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(key));
        HWND values = pane.GetValueList();
        int row = RowOf(values, "Caption");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kSettingsKey);
        CDialogDriver edit;
        edit.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "gone", IDOK));
        edit.Expect("Orrery", CDialogDriver::Read(&message, IDOK));
        edit.Run([&] { pane.EditValue(row); });
        EXPECT_EQ(0u, edit.Pending());
        rowsAfter = ListRows(values).size();
        CDialogDriver::Press(IDOK)(window);
    });
    Run(driver, ServerPath());
    EXPECT_NE(std::string::npos, message.find("Caption")) << message;
    size_t reason = message.find("\n\n");
    ASSERT_NE(std::string::npos, reason) << message;
    EXPECT_LT(reason + 2, message.size()) << "the system's reason follows: " << message;
    EXPECT_EQ(0u, rowsAfter) << "the list shows what the registry holds";
    EXPECT_FALSE(ClassKeyExists(kSettingsKey)) << "the failed write made no key";
}

TEST_F(DetailsOperationTest, EditsAreReadBackWithTheRegTool)
{
    CallServer("DllRegisterServer");
    CDialogDriver driver;
    driver.Expect(kTitle, [&](HWND window) {
        auto* details = static_cast<CFileDetailsDlg*>(CWnd::FromHandle(window));
        CRegistryEntriesPane& pane = details->GetRegistryPane();
        HTREEITEM key = FindPath(pane.GetKeyTree(), {"HKEY_CLASSES_ROOT", "CLSID", DETAILS_CLSID, DETAILS_VALUES_KEY});
        ASSERT_NE(nullptr, key);
        ::SendMessageA(pane.GetKeyTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(key));
        HWND values = pane.GetValueList();
        CDialogDriver edits;
        edits.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "Tarnwick Dial", IDOK));
        edits.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "E:\\Bin", IDOK));
        edits.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "new default", IDOK));
        edits.Run([&] {
            pane.EditValue(RowOf(values, "Caption"));
            pane.EditValue(RowOf(values, "Search Paths"));
            pane.EditValue(RowOf(values, "(Default)"));
        });
        EXPECT_EQ(0u, edits.Pending());
        EXPECT_TRUE(edits.Unexpected().empty());
        CDialogDriver::Press(IDOK)(window);
    });
    Run(driver, ServerPath());

    std::string caption = RegQuery(kSettingsKey, "Caption");
    EXPECT_NE(std::string::npos, caption.find("REG_SZ")) << caption;
    EXPECT_NE(std::string::npos, caption.find("Tarnwick Dial")) << caption;
    std::string paths = RegQuery(kSettingsKey, "Search Paths");
    EXPECT_NE(std::string::npos, paths.find("REG_MULTI_SZ")) << paths;
    EXPECT_NE(std::string::npos, paths.find("E:\\Bin")) << paths;
    EXPECT_NE(std::string::npos, paths.find("D:\\Shared Files")) << "the second string is kept: " << paths;
    EXPECT_EQ(std::string::npos, paths.find("C:\\Tarnwick")) << paths;
    std::string defaultValue = RunAndRead(std::string("reg.exe query \"HKCR\\") + kSettingsKey + "\" /ve");
    EXPECT_NE(std::string::npos, defaultValue.find("new default")) << defaultValue;
}

TEST_F(DetailsOperationTest, AnUnregisteredServerIsOfferedForRegistration)
{
    const std::string given = UpperCase(ServerPath());
    std::string question;
    CDialogDriver declined;
    declined.Expect("Confirm Registeration", CDialogDriver::Read(&question, IDNO));
    Run(declined, ServerPath());
    EXPECT_EQ("The control located in: " + given + "\nDoes not seem to be registered.\n\nWould you like to register it now?",
              question);
    EXPECT_FALSE(ClassKeyExists("CLSID\\" DETAILS_CLSID)) << "answered No: nothing registered";

    std::string registered;
    CDialogDriver accepted;
    accepted.Expect("Confirm Registeration", CDialogDriver::Press(IDYES));
    accepted.Expect("Orrery", CDialogDriver::Read(&registered, IDOK));
    accepted.Expect(kTitle, CDialogDriver::Press(IDOK));
    Run(accepted, ServerPath());
    EXPECT_EQ(given + "\n\nRegistered Successfully !", registered);
    EXPECT_TRUE(ClassKeyExists("CLSID\\" DETAILS_CLSID));
}

TEST_F(DetailsOperationTest, NothingToShowIsTold)
{
    const std::string plain = TestServerPath(kPlainDll);
    std::vector<std::string> messages(2);
    CDialogDriver driver;
    driver.Expect("Confirm Registeration", CDialogDriver::Press(IDYES));
    driver.Expect("Orrery", CDialogDriver::Read(&messages[0], IDOK));
    driver.Expect("Orrery", CDialogDriver::Read(&messages[1], IDOK));
    Run(driver, plain);
    EXPECT_EQ("Failed to find 'DllRegisterServer' function in " + UpperCase(plain), messages[0]);
    EXPECT_EQ("The control located in: " + UpperCase(plain) +
                  "\n\nCould not be located in the registry. Unable to display control details.",
              messages[1]);

    std::string missing;
    CDialogDriver nowhere;
    nowhere.Expect("Orrery", CDialogDriver::Read(&missing, IDOK));
    Run(nowhere, "\"C:\\No Such Folder\\gone.ocx\"");
    EXPECT_EQ("The control located in: C:\\NO SUCH FOLDER\\GONE.OCX\n\nDoes not exist. Unable to display control details.",
              missing);
}

} // namespace
