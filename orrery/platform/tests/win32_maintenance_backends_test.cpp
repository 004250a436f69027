// The Win32 backends of the module and backup seams, on the real test
// servers and in a folder made for the run (under Wine, in the run's own
// prefix).
#include "orrery/platform/win32_backup_folder.h"
#include "orrery/platform/win32_modules.h"
#include "orrery/tests/servers/test_servers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace orrery {
namespace {

TEST(Win32Modules, LoadsCallsAndReleasesARealServer)
{
    CWin32Modules modules;
    std::string path = TestServerPath(kSelfRegisteringServer);
    unsigned long error = 0;
    ModuleHandle module = modules.Load(path.c_str(), &error);
    ASSERT_NE(kNoModule, module) << path << " error " << error;
    EntryPoint registerEntry = modules.FindEntryPoint(module, "DllRegisterServer");
    EntryPoint unregisterEntry = modules.FindEntryPoint(module, "DllUnregisterServer");
    ASSERT_NE(kNoEntryPoint, registerEntry);
    ASSERT_NE(kNoEntryPoint, unregisterEntry);
    EXPECT_EQ(kNoEntryPoint, modules.FindEntryPoint(module, "DllInstall"));

    EXPECT_EQ(0, modules.CallEntryPoint(registerEntry));
    EXPECT_TRUE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID "\\InprocServer32"));
    EXPECT_TRUE(ClassKeyExists(TEST_EXE_PROGID "\\CLSID"));
    EXPECT_TRUE(ClassKeyExists("AppID\\" TEST_APPID));
    EXPECT_EQ(0, modules.CallEntryPoint(unregisterEntry));
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
    EXPECT_FALSE(ClassKeyExists("TypeLib\\" TEST_TYPELIB));
    EXPECT_FALSE(ClassKeyExists("AppID\\" TEST_APPID));
    EXPECT_TRUE(modules.Release(module));
    EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str()));
}

TEST(Win32Modules, ReportsFailuresAsTheSystemDoes)
{
    CWin32Modules modules;
    unsigned long error = 0;
    EXPECT_EQ(kNoModule, modules.Load(TestServerPath(kMissingImportServer).c_str(), &error));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_MOD_NOT_FOUND), error);
    EXPECT_EQ(kNoModule, modules.Load(TestServerPath("no_such_server.dll").c_str(), &error));
    EXPECT_EQ(static_cast<unsigned long>(ERROR_MOD_NOT_FOUND), error);

    ModuleHandle failing = modules.Load(TestServerPath(kFailingServer).c_str(), &error);
    ASSERT_NE(kNoModule, failing);
    EXPECT_EQ(static_cast<Hresult>(TEST_REGISTER_FAILURE),
              modules.CallEntryPoint(modules.FindEntryPoint(failing, "DllRegisterServer")));
    EXPECT_EQ(static_cast<Hresult>(TEST_UNREGISTER_FAILURE),
              modules.CallEntryPoint(modules.FindEntryPoint(failing, "DllUnregisterServer")));
    modules.Release(failing);

    ModuleHandle plain = modules.Load(TestServerPath(kPlainDll).c_str(), &error);
    ASSERT_NE(kNoModule, plain);
    EXPECT_EQ(kNoEntryPoint, modules.FindEntryPoint(plain, "DllRegisterServer"));
    modules.Release(plain);

    EXPECT_NE("", modules.ErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(modules.ErrorText(ERROR_ACCESS_DENIED), modules.ErrorText(0x80070005u));
    std::string text = modules.ErrorText(ERROR_MOD_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE('\n', text.back());
}

TEST(Win32Modules, ReleasesOnAWorkerThread)
{
    CWin32Modules modules;
    std::string path = TestServerPath(kPlainDll);
    ModuleHandle module = modules.Load(path.c_str(), nullptr);
    ASSERT_NE(kNoModule, module);
    modules.ReleaseOnWorkerThread(module);
    for (int wait = 0; wait < 500 && GetModuleHandleA(path.c_str()); ++wait)
        Sleep(10);
    EXPECT_EQ(nullptr, GetModuleHandleA(path.c_str()));
}

class Win32BackupFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "orrery backups " + std::to_string(GetCurrentProcessId());
    }

    void TearDown() override { RemoveTree(root); }

    static void RemoveTree(const std::string& path)
    {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string name = entry.cFileName;
                if (name == "." || name == "..")
                    continue;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + "\\" + name);
                else
                    DeleteFileA((path + "\\" + name).c_str());
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    }

    static std::string ReadFile(const std::string& path)
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return "<missing>";
        char buffer[4096];
        DWORD read = 0;
        ::ReadFile(file, buffer, sizeof buffer, &read, nullptr);
        CloseHandle(file);
        return std::string(buffer, read);
    }

    std::string root;
};

TEST_F(Win32BackupFolderTest, MakesTheFolderAndWritesEachNameOnce)
{
    CWin32BackupFolder folder(root + "\\Tarnwick\\Orrery\\Backups");
    std::string path;
    std::string reason;
    ASSERT_EQ(BackupWritten, folder.WriteNewFile("a.reg", "REGEDIT4\r\n", &path, &reason)) << reason;
    EXPECT_EQ(root + "\\Tarnwick\\Orrery\\Backups\\a.reg", path);
    EXPECT_EQ("REGEDIT4\r\n", ReadFile(path));
    EXPECT_EQ(BackupNameTaken, folder.WriteNewFile("a.reg", "other", &path, &reason));
    EXPECT_EQ("REGEDIT4\r\n", ReadFile(root + "\\Tarnwick\\Orrery\\Backups\\a.reg"));
}

TEST_F(Win32BackupFolderTest, AFolderThatCannotBeMadeIsAFailureWithAReason)
{
    CWin32BackupFolder maker(root);
    std::string path;
    std::string reason;
    ASSERT_EQ(BackupWritten, maker.WriteNewFile("Backups", "a file where the folder should be", &path, &reason));
    CWin32BackupFolder folder(root + "\\Backups");
    EXPECT_EQ(BackupFailed, folder.WriteNewFile("b.reg", "x", &path, &reason));
    EXPECT_EQ(root + "\\Backups is a file, not a folder.", reason);
    CWin32BackupFolder below(root + "\\Backups\\Deeper");
    EXPECT_EQ(BackupFailed, below.WriteNewFile("b.reg", "x", &path, &reason));
    EXPECT_EQ(root + "\\Backups is a file, not a folder.", reason);
}

TEST(Win32BackupFolder, TheDefaultFolderIsInTheUsersApplicationData)
{
    CWin32BackupFolder folder;
    std::string location = folder.Location();
    ASSERT_GT(location.size(), 26u);
    EXPECT_EQ("\\Tarnwick\\Orrery\\Backups", location.substr(location.size() - 24));
    std::tm now = folder.LocalNow();
    EXPECT_GE(now.tm_year, 120);
}

}  // namespace
}  // namespace orrery
