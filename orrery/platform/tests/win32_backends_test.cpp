// The Win32 backends against the live machine (run under Wine in a prefix of
// the test run's own): the registry under a scratch key of
// HKEY_CLASSES_ROOT, the file calls and version resources on Wine's own DLLs.
#include "orrery/platform/win32_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace orrery {
namespace {

const char kScratch[] = "TarnwickPlatformTest";

class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetString("Child\\Grandchild", nullptr, "deep");
        SetString("", nullptr, "hello");
        SetString("", "Icon", "%SystemRoot%\\x.ico", REG_EXPAND_SZ);
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, kScratch, 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        DWORD number = 7;
        RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<BYTE*>(&number), sizeof number);
        RegCloseKey(key);
    }

    void TearDown() override
    {
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kScratch) + "\\Child\\Grandchild").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kScratch) + "\\Child").c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, kScratch);
    }

    void SetString(const std::string& sub, const char* name, const char* text,
                   DWORD type = REG_SZ)
    {
        std::string path = sub.empty() ? kScratch : std::string(kScratch) + "\\" + sub;
        HKEY key;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &key, nullptr));
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
        RegCloseKey(key);
    }

    CWin32Registry registry;
};

TEST_F(Win32RegistryTest, OpensQueriesAndClosesKeys)
{
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "tarnwickplatformtest", &key));
    unsigned char data[64];
    unsigned long size = sizeof data - 1;
    unsigned long type = 0;
    ASSERT_EQ(kRegSuccess, registry.QueryValue(key, nullptr, &type, data, &size));
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ(6u, size);
    EXPECT_STREQ("hello", reinterpret_cast<char*>(data));

    size = 3;
    EXPECT_EQ(kRegMoreData, registry.QueryValue(key, "", &type, data, &size));
    EXPECT_EQ(6u, size) << "the needed size comes back as in the in-memory registry";

    size = sizeof data;
    ASSERT_EQ(kRegSuccess, registry.QueryValue(key, "Icon", &type, data, &size));
    EXPECT_EQ(kRegExpandSz, type);
    size = sizeof data;
    ASSERT_EQ(kRegSuccess, registry.QueryValue(key, "Number", &type, data, &size));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(kRegFileNotFound, registry.QueryValue(key, "Missing", &type, data, &size));

    RegKey deep = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(key, "CHILD\\grandchild", &deep));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(deep));
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(key, "Nothing", &deep));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(key));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(kClassesRoot)) << "the root is never closed";
}

TEST_F(Win32RegistryTest, EnumeratesKeysAndValuesWithTheSameContract)
{
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, kScratch, &key));
    char name[64];
    unsigned long size = sizeof name;
    ASSERT_EQ(kRegSuccess, registry.EnumKey(key, 0, name, &size));
    EXPECT_STREQ("Child", name);
    EXPECT_EQ(5u, size);
    size = 5;
    EXPECT_EQ(kRegMoreData, registry.EnumKey(key, 0, name, &size)) << "the size includes the zero";
    size = sizeof name;
    EXPECT_EQ(kRegNoMoreItems, registry.EnumKey(key, 1, name, &size));

    int values = 0;
    for (unsigned long i = 0;; ++i) {
        char valueName[32];
        unsigned long nameSize = sizeof valueName;
        unsigned char data[64];
        unsigned long dataSize = sizeof data;
        unsigned long type = 0;
        long result = registry.EnumValue(key, i, valueName, &nameSize, &type, data, &dataSize);
        if (result == kRegNoMoreItems)
            break;
        ASSERT_EQ(kRegSuccess, result);
        ++values;
    }
    EXPECT_EQ(3, values);
    registry.CloseKey(key);
}

TEST(Win32Files, FindsExactPathsWithNamesSizesAndTimes)
{
    CWin32FileSystem files;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string ole32 = std::string(system) + "\\ole32.dll";
    CFileEntry entry;
    ASSERT_TRUE(files.FindFile(ole32, &entry));
    EXPECT_STRCASEEQ("ole32.dll", entry.longName.c_str());
    EXPECT_GT(entry.size, 0u);
    EXPECT_NE(0u, entry.lastWritten);
    std::tm local;
    ASSERT_TRUE(files.ToLocalTime(entry.lastWritten, &local));
    EXPECT_GT(local.tm_year, 70);
    EXPECT_FALSE(files.ToLocalTime(0, &local));

    EXPECT_FALSE(files.FindFile(std::string(system) + "\\ole3?.dll", &entry));
    EXPECT_FALSE(files.FindFile(std::string(system) + "\\*.dll", &entry));
    EXPECT_FALSE(files.FindFile(std::string(system) + "\\no-such-file.dll", &entry));
    EXPECT_FALSE(files.FindFile("", &entry));
    EXPECT_FALSE(files.FindFile("C:\\" + std::string(300, 'x') + ".dll", &entry));
}

TEST(Win32Files, SearchesAndExpandsAsTheSystemDoes)
{
    CWin32FileSystem files;
    std::string found = files.SearchFile("ole32.dll");
    ASSERT_FALSE(found.empty());
    EXPECT_STRCASEEQ("\\ole32.dll", found.substr(found.size() - 10).c_str());
    EXPECT_EQ("", files.SearchFile("no-such-file-anywhere.dll"));

    char target[260];
    unsigned long needed = files.Expand("%SystemRoot%\\x", target, sizeof target);
    ASSERT_GT(needed, 4u);
    EXPECT_EQ(std::strlen(target) + 1, needed);
    EXPECT_EQ(':', target[1]);
    char small[4];
    EXPECT_GT(files.Expand("%SystemRoot%\\x", small, sizeof small), sizeof small);
}

TEST(Win32Version, ReadsTheResourceOfASystemDll)
{
    CWin32VersionResources versions;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string ole32 = std::string(system) + "\\ole32.dll";
    unsigned long size = versions.GetInfoSize(ole32.c_str());
    ASSERT_GT(size, 0u);
    std::string block(size + 1, '\0');
    ASSERT_TRUE(versions.GetInfo(ole32.c_str(), size, &block[0]));
    const void* value = nullptr;
    unsigned int length = 0;
    ASSERT_TRUE(versions.QueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    const unsigned char* pair = static_cast<const unsigned char*>(value);
    char subBlock[64];
    std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\FileVersion",
                  pair[0] | (pair[1] << 8), pair[2] | (pair[3] << 8));
    ASSERT_TRUE(versions.QueryValue(block.data(), subBlock, &value, &length));
    EXPECT_GT(std::strlen(static_cast<const char*>(value)), 0u);
    EXPECT_FALSE(versions.QueryValue(block.data(), "\\StringFileInfo\\00000000\\Nothing", &value, &length));
    EXPECT_EQ(0u, versions.GetInfoSize("C:\\no-such-file.dll"));
}

}  // namespace
}  // namespace orrery
