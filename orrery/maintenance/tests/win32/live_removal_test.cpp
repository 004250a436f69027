// Removal on the live registry (under Wine, in the run's own prefix), through
// the check program catalogue-dump --remove: an export of HKEY_CLASSES_ROOT
// before and after differs exactly by the keys the class owns, hostile
// values never reach beyond the class, and importing the backup with
// "reg import" gives back the very export taken before.
#include "orrery/tests/console_program.h"
#include "orrery/tests/servers/test_servers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// Runs a command line with its standard output read into the result.
CConsoleRun RunCommand(const std::string& commandLine)
{
    return RunConsoleProgram(commandLine, false);
}

// The bytes of an export of HKEY_CLASSES_ROOT made with "reg export".
std::string ExportClasses()
{
    test_support::TempFolder folder;
    std::string file = folder.at("classes.reg");
    CConsoleRun exported = RunCommand("reg export HKEY_CLASSES_ROOT \"" + file + "\" /y");
    EXPECT_EQ(0u, exported.exitCode);
    std::string bytes = test_support::read_file(file);
    EXPECT_GT(bytes.size(), 1000u);
    return bytes;
}

// An export's keys with their value lines, by key path below the root. The
// export is UTF-16; every name here is ASCII.
std::map<std::string, std::string> ExportedKeys(const std::string& exported)
{
    std::string text;
    for (size_t i = 2; i + 1 < exported.size(); i += 2)
        text += exported[i];
    std::map<std::string, std::string> keys;
    const std::string root = "[HKEY_CLASSES_ROOT\\";
    std::string key;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.compare(0, root.size(), root) == 0) {
            key = line.substr(root.size(), line.size() - root.size() - 1);
            keys[key];
        } else if (!key.empty() && !line.empty()) {
            keys[key] += line + "\n";
        }
        start = end + 2;
    }
    return keys;
}

bool IsAtOrBelow(const std::string& key, const std::string& top)
{
    return lstrcmpiA(key.c_str(), top.c_str()) == 0 ||
           (key.size() > top.size() && key[top.size()] == '\\' &&
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, key.c_str(), static_cast<int>(top.size()), top.c_str(),
                           static_cast<int>(top.size())) == CSTR_EQUAL);
}

// Checks that after lacks exactly the keys of before at or below the tops,
// and that every other key is there unchanged.
void ExpectRemovedExactly(const std::string& before, const std::string& after, const std::vector<std::string>& tops)
{
    std::map<std::string, std::string> was = ExportedKeys(before);
    std::map<std::string, std::string> is = ExportedKeys(after);
    size_t removed = 0;
    for (const auto& key : was) {
        bool owned = false;
        for (const std::string& top : tops)
            owned = owned || IsAtOrBelow(key.first, top);
        auto now = is.find(key.first);
        if (owned) {
            EXPECT_TRUE(now == is.end()) << "still there: " << key.first;
            ++removed;
        } else if (now == is.end()) {
            ADD_FAILURE() << "deleted although not the class's: " << key.first;
        } else {
            EXPECT_EQ(key.second, now->second) << key.first;
        }
    }
    EXPECT_EQ(was.size() - removed, is.size());
    EXPECT_GT(removed, 0u);
}

void SetText(const std::string& path, const char* name, const std::string& text)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                             &key, nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

class LiveRemovalTest : public ::testing::Test {
protected:
    void SetUp() override { CallServer("DllRegisterServer"); }
    void TearDown() override { CallServer("DllUnregisterServer"); }

    void CallServer(const char* entryName) { EXPECT_EQ(S_OK, CallTestServer(kSelfRegisteringServer, entryName)); }

    static CConsoleRun Remove(const std::string& clsid, bool appId = false)
    {
        return RunCommand("\"" + ProgramFolder() + "\\catalogue-dump.exe\" " + (appId ? "--remove-appid " : "--remove ") +
                   clsid);
    }

    // The backup file the report names.
    static std::string BackupOf(const std::string& report)
    {
        const std::string heading = "Backup of these keys (open it to restore them):\n";
        size_t at = report.find(heading);
        if (at == std::string::npos)
            return std::string();
        std::string path = report.substr(at + heading.size());
        return path.substr(0, path.find('\n'));
    }
};

TEST_F(LiveRemovalTest, RemovesExactlyTheClassKeysAndTheBackupRestoresTheExport)
{
    std::string before = ExportClasses();
    CConsoleRun removal = Remove(TEST_CONTROL_CLSID);
    EXPECT_EQ(0u, removal.exitCode) << removal.output;
    EXPECT_EQ(0u, removal.output.find("------------------------------------------\n"
                                      "ProgID: " TEST_CONTROL_PROGID "\n"
                                      "TypeLib: " TEST_TYPELIB "\n"
                                      "CLSID: " TEST_CONTROL_CLSID "\n\n"))
        << removal.output;
    std::string after = ExportClasses();
    ExpectRemovedExactly(before, after,
                         {"CLSID\\" TEST_CONTROL_CLSID, TEST_CONTROL_PROGID, "TypeLib\\" TEST_TYPELIB});

    std::string backup = BackupOf(removal.output);
    ASSERT_NE("", backup) << removal.output;
    EXPECT_NE(std::string::npos, backup.find("\\Tarnwick\\Orrery\\Backups\\" TEST_CONTROL_PROGID "-"));
    EXPECT_EQ(0u, test_support::read_file(backup).find("REGEDIT4\r\n"));
    CConsoleRun imported = RunCommand("reg import \"" + backup + "\"");
    ASSERT_EQ(0u, imported.exitCode);
    EXPECT_TRUE(before == ExportClasses()) << "the import restores the export byte for byte";
}

TEST_F(LiveRemovalTest, HostileProgIdAndTypeLibValuesNeverReachBeyondTheClass)
{
    const std::string first = "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F81}";
    const std::string second = "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F82}";
    SetText("CLSID\\" + first + "\\ProgID", nullptr, "CLSID");
    SetText("CLSID\\" + first + "\\TypeLib", nullptr, TEST_TYPELIB);
    SetText("CLSID\\" + first + "\\InprocServer32", nullptr, "C:\\gone\\first.dll");
    SetText("CLSID\\" + second + "\\ProgID", nullptr, TEST_CONTROL_PROGID);
    SetText("CLSID\\" + second + "\\TypeLib", nullptr, "Interface");
    SetText("CLSID\\" + second + "\\LocalServer32", nullptr, "C:\\gone\\second.exe");
    SetText("CLSID\\" + second, "AppID", "CLSID");

    std::string before = ExportClasses();
    CConsoleRun removal = Remove(first);
    EXPECT_EQ(0u, removal.exitCode);
    EXPECT_NE(std::string::npos,
              removal.output.find("ProgID: CLSID (kept: it names a key shared by the whole machine)\n"));
    EXPECT_NE(std::string::npos, removal.output.find("TypeLib: " TEST_TYPELIB " (kept: class " TEST_CONTROL_CLSID
                                                     " uses it too)\n"));
    std::string middle = ExportClasses();
    ExpectRemovedExactly(before, middle, {"CLSID\\" + first});

    removal = Remove(second, true);
    EXPECT_EQ(0u, removal.exitCode);
    EXPECT_NE(std::string::npos,
              removal.output.find("ProgID: " TEST_CONTROL_PROGID " (kept: it belongs to another class)\n"));
    EXPECT_NE(std::string::npos, removal.output.find("AppID: CLSID (kept: it is not an AppID in braces)\n"));
    ExpectRemovedExactly(middle, ExportClasses(), {"CLSID\\" + second});
}

TEST_F(LiveRemovalTest, AnAppIdIsKeptOnNoAndRemovedOnYes)
{
    CConsoleRun removal = Remove(TEST_EXE_CLSID);
    EXPECT_EQ(0u, removal.exitCode);
    EXPECT_NE(std::string::npos, removal.output.find("AppID: " TEST_APPID " (kept: you chose to keep it)\n"));
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_EXE_CLSID));
    EXPECT_FALSE(ClassKeyExists(TEST_EXE_PROGID));
    EXPECT_TRUE(ClassKeyExists("AppID\\" TEST_APPID));

    CallServer("DllRegisterServer");
    removal = Remove(TEST_EXE_CLSID, true);
    EXPECT_EQ(0u, removal.exitCode);
    EXPECT_NE(std::string::npos, removal.output.find("AppID: " TEST_APPID "\n"));
    EXPECT_FALSE(ClassKeyExists("AppID\\" TEST_APPID));
}

TEST_F(LiveRemovalTest, AClassKeyThatIsNotAGuidStaysAndTheExitCodeSaysSo)
{
    SetText("CLSID\\OrreryNotAGuid\\ProgID", nullptr, "Orrery.NotAGuid");
    SetText("CLSID\\OrreryNotAGuid\\InprocServer32", nullptr, "C:\\gone\\odd.dll");
    CConsoleRun removal = Remove("OrreryNotAGuid");
    EXPECT_EQ(1u, removal.exitCode);
    EXPECT_NE(std::string::npos,
              removal.output.find("CLSID: OrreryNotAGuid (kept: it is not a class identifier in braces)\n"));
    EXPECT_TRUE(ClassKeyExists("CLSID\\OrreryNotAGuid"));
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\OrreryNotAGuid\\ProgID");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\OrreryNotAGuid\\InprocServer32");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "CLSID\\OrreryNotAGuid");
}

}  // namespace
