// The maintenance commands on the live registry (under Wine, in the run's own
// prefix) with the real test servers: registration through the file dialog,
// the texts of each failure, unregistration through the unregistered dialog.
#include "orrery/app/control_adapters.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/app/tests/scripted_answers.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/tests/servers/test_servers.h"

#include <algorithm>

namespace {

std::string ClassValue(const std::string& path)
{
    char value[MAX_PATH] = "";
    LONG size = sizeof value;
    ::RegQueryValueA(HKEY_CLASSES_ROOT, path.c_str(), value, &size);
    return value;
}

class LiveMaintenanceTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow(true);
    }

    void Command(UINT id) { ::SendMessageA(Frame().GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Listed(const std::string& label)
    {
        std::vector<std::string> labels = Labels();
        return std::find(labels.begin(), labels.end(), label) != labels.end();
    }

    // Runs Register Control/DLL on file; returns the message it showed.
    std::string RegisterThroughCommand(const std::string& file)
    {
        CScriptedAnswers answers({{IDOK, [&](HWND dialog) { SetFileDialogName(dialog, file); }}, {IDOK, nullptr}});
        Command(ID_REGISTER);
        EXPECT_EQ(2u, answers.Seen().size());
        return answers.Seen().size() == 2 ? answers.Seen()[1].text : std::string();
    }
};

TEST_F(LiveMaintenanceTest, TheTestServerRegistersAndUnregistersThroughTheCommands)
{
    std::string server = TestServerPath(kSelfRegisteringServer);
    EXPECT_EQ(server + "\n\nRegistered Successfully !", RegisterThroughCommand(server));
    EXPECT_EQ(server, ClassValue("CLSID\\" TEST_CONTROL_CLSID "\\InprocServer32"));
    ASSERT_TRUE(Listed(TEST_CONTROL_PROGID)) << "the catalogue was rebuilt";

    Select(TEST_CONTROL_PROGID);
    CScriptedAnswers answers({{IDOK, nullptr}});
    Command(ID_UNREGISTER);
    ASSERT_EQ(1u, answers.Seen().size());
    EXPECT_EQ("COM Control Unregistered", answers.Seen()[0].caption);
    EXPECT_EQ("Unregistered Successfully !\nControl:\n" TEST_CONTROL_PROGID "\nFile:\n" + server,
              answers.Seen()[0].text);
    EXPECT_FALSE(Listed(TEST_CONTROL_PROGID));
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
    EXPECT_FALSE(ClassKeyExists("AppID\\" TEST_APPID));
}

TEST_F(LiveMaintenanceTest, AFailingServerIsReportedWithItsCodeAndNothingIsRebuilt)
{
    std::string first = Labels().at(0);
    Select(first);
    std::string server = TestServerPath(kFailingServer);
    EXPECT_EQ(server + "\n\nDllRegisterServer failed with error 0x80040201.\n"
                       "The server could not register all of its classes.",
              RegisterThroughCommand(server));
    EXPECT_EQ(first, controls::TreeItemText(TreeControl(), Tree().GetSelectedItem())) << "no rebuild";
}

TEST_F(LiveMaintenanceTest, ServersThatCannotRegisterSayWhy)
{
    std::string plain = TestServerPath(kPlainDll);
    EXPECT_EQ("Failed to find 'DllRegisterServer' function in " + plain, RegisterThroughCommand(plain));
    std::string broken = TestServerPath(kMissingImportServer);
    std::string text = RegisterThroughCommand(broken);
    EXPECT_EQ(0u, text.find("Failed to load " + broken + " in order to register it.\n\n")) << text;
    EXPECT_NE(std::string::npos, text.find("(error 126)")) << text;
}

TEST_F(LiveMaintenanceTest, APathWithBlanksRegistersAndUnregistersAsItIs)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "orrery test servers";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string copy = folder + "\\server with blanks.dll";
    ASSERT_TRUE(::CopyFileA(TestServerPath(kSelfRegisteringServer).c_str(), copy.c_str(), FALSE));

    CScriptedAnswers answers({{IDOK, nullptr}, {IDOK, nullptr}, {IDOK, nullptr}});
    EXPECT_TRUE(RegisterServerFile(copy, true));
    EXPECT_EQ(copy, ClassValue("CLSID\\" TEST_CONTROL_CLSID "\\InprocServer32"));
    EXPECT_TRUE(UnregisterServerFile(copy));
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
    EXPECT_FALSE(UnregisterServerFile(folder + "\\" + std::string(300, 'x') + ".dll"));
    ASSERT_EQ(3u, answers.Seen().size());
    EXPECT_EQ(copy + "\n\nRegistered Successfully !", answers.Seen()[0].text);
    EXPECT_EQ(copy + "\n\nUnregistered Successfully !", answers.Seen()[1].text);
    EXPECT_EQ(0u, answers.Seen()[2].text.find("Failed to load " + folder + "\\xxx"));
    EXPECT_TRUE(::DeleteFileA(copy.c_str())) << "the module was released";
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace
