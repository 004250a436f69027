// The Win32 backends on the live machine (under Wine, in the test run's own
// prefix): the same contracts the in-memory backends keep, checked on a
// scratch key of HKEY_CLASSES_ROOT and on Wine's own DLLs.
#include "orrery/platform/win32_platform.h"

#include "orrery/platform/system_error.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace orrery {
namespace {

const char kScratch[] = "TarnwickPlatformTest";

void SetValue(const std::string& path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

std::string SystemFile(const char* name)
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return std::string(system) + "\\" + name;
}

TEST(Win32Registry, KeepsTheSeamsContracts)
{
    const std::string child = std::string(kScratch) + "\\Child";
    SetValue(child, nullptr, REG_SZ, "deep", 5);
    SetValue(kScratch, nullptr, REG_SZ, "hello", 6);
    DWORD number = 7;
    SetValue(kScratch, "Number", REG_DWORD, &number, sizeof number);
    CWin32Registry registry;

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
    EXPECT_EQ(6u, size);
    size = sizeof data;
    ASSERT_EQ(kRegSuccess, registry.QueryValue(key, "Number", &type, data, &size));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(kRegFileNotFound, registry.QueryValue(key, "Missing", &type, data, &size));

    char name[64];
    size = 5;
    EXPECT_EQ(kRegMoreData, registry.EnumKey(key, 0, name, &size)) << "the size includes the zero";
    size = sizeof name;
    ASSERT_EQ(kRegSuccess, registry.EnumKey(key, 0, name, &size));
    EXPECT_STREQ("Child", name);
    EXPECT_EQ(5u, size);
    EXPECT_EQ(kRegNoMoreItems, registry.EnumKey(key, 1, name, &size));
    unsigned long nameSize = sizeof name;
    size = sizeof data;
    EXPECT_EQ(kRegSuccess, registry.EnumValue(key, 1, name, &nameSize, &type, data, &size));
    nameSize = sizeof name;
    EXPECT_EQ(kRegNoMoreItems, registry.EnumValue(key, 2, name, &nameSize, &type, data, &size));

    RegKey deep = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "TARNWICKPLATFORMTEST\\child", &deep));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(deep));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(key));
    EXPECT_EQ(kRegSuccess, registry.CloseKey(kClassesRoot)) << "the root is never closed";
    RegDeleteKeyA(HKEY_CLASSES_ROOT, child.c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kScratch);
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(kClassesRoot, kScratch, &key));
}

TEST(Win32Registry, CreatesSetsAndDeletesKeys)
{
    CWin32Registry registry;
    const std::string child = std::string(kScratch) + "\\Made\\Deeper";
    RegKey made = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.CreateKey(kClassesRoot, child.c_str(), &made));
    const unsigned char text[] = "value";
    EXPECT_EQ(kRegSuccess, registry.SetValue(made, "Name", kRegSz, text, sizeof text));
    registry.CloseKey(made);

    RegKey readOnly = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, child.c_str(), &readOnly));
    unsigned char data[16] = {};
    unsigned long size = sizeof data;
    unsigned long type = 0;
    ASSERT_EQ(kRegSuccess, registry.QueryValue(readOnly, "Name", &type, data, &size));
    EXPECT_STREQ("value", reinterpret_cast<char*>(data));
    EXPECT_NE(kRegSuccess, registry.SetValue(readOnly, "Name", kRegSz, text, sizeof text))
        << "a key opened for reading takes no values";
    registry.CloseKey(readOnly);

    RegKey writable = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKeyToChange(kClassesRoot, child.c_str(), &writable));
    EXPECT_EQ(kRegSuccess, registry.SetValue(writable, "", kRegSz, text, sizeof text));
    registry.CloseKey(writable);

    const std::string middle = std::string(kScratch) + "\\Made";
    EXPECT_NE(kRegSuccess, registry.DeleteKey(kClassesRoot, middle.c_str()))
        << "a key with subkeys stays";
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(kClassesRoot, child.c_str()));
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(kClassesRoot, middle.c_str()));
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(kClassesRoot, kScratch));
    EXPECT_EQ(kRegFileNotFound, registry.DeleteKey(kClassesRoot, kScratch));
}

TEST(Win32Files, FindsExactPathsSearchesAndExpands)
{
    CWin32FileSystem files;
    const std::string ole32 = SystemFile("ole32.dll");
    CFileEntry entry;
    ASSERT_TRUE(files.FindFile(ole32, &entry));
    EXPECT_STRCASEEQ("ole32.dll", entry.longName.c_str());
    EXPECT_GT(entry.size, 0u);
    std::tm local;
    ASSERT_TRUE(files.ToLocalTime(entry.lastWritten, &local));
    EXPECT_GT(local.tm_year, 70);
    EXPECT_FALSE(files.ToLocalTime(0, &local));
    EXPECT_FALSE(files.FindFile(SystemFile("ole3?.dll"), &entry));
    EXPECT_FALSE(files.FindFile(SystemFile("*.dll"), &entry));
    EXPECT_FALSE(files.FindFile("", &entry));
    EXPECT_FALSE(files.FindFile("C:\\" + std::string(300, 'x') + ".dll", &entry));

    std::string found = files.SearchFile("ole32.dll");
    ASSERT_GT(found.size(), 10u);
    EXPECT_STRCASEEQ("\\ole32.dll", found.substr(found.size() - 10).c_str());
    EXPECT_EQ("", files.SearchFile("no-such-file-anywhere.dll"));

    char target[MAX_PATH];
    unsigned long needed = files.Expand("%SystemRoot%\\x", target, sizeof target);
    EXPECT_EQ(std::strlen(target) + 1, needed);
    EXPECT_EQ(':', target[1]);
    char small[4];
    EXPECT_EQ(needed, files.Expand("%SystemRoot%\\x", small, sizeof small));
}

TEST(Win32Version, ReadsTheResourceOfASystemDll)
{
    CWin32VersionResources versions;
    const std::string ole32 = SystemFile("ole32.dll");
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
    EXPECT_FALSE(versions.QueryValue(block.data(), "\\StringFileInfo\\00000000\\None", &value, &length));
    EXPECT_EQ(0u, versions.GetInfoSize("C:\\no-such-file.dll"));
}

TEST(Win32FileViews, MapWholeFilesReadOnly)
{
    CWin32Platform machine;
    std::string path = SystemFile("ole32.dll");
    CFileEntry entry;
    ASSERT_TRUE(machine.Get().files.FindFile(path, &entry));
    std::unique_ptr<CFileView> view = machine.Get().views.OpenView(path);
    ASSERT_NE(nullptr, view);
    CByteView bytes = view->Bytes();
    ASSERT_EQ(entry.size, bytes.size);
    // The view holds the file's bytes, the last one included.
    std::string read(static_cast<size_t>(entry.size), '\0');
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD got = 0;
    ReadFile(file, &read[0], static_cast<DWORD>(read.size()), &got, nullptr);
    CloseHandle(file);
    ASSERT_EQ(read.size(), got);
    EXPECT_TRUE(read == std::string(reinterpret_cast<const char*>(bytes.data), bytes.size));
    EXPECT_EQ("MZ", read.substr(0, 2));

    EXPECT_EQ(nullptr, machine.Get().views.OpenView(SystemFile("no_such_file.dll")));
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(nullptr, machine.Get().views.OpenView(system)) << "a directory";

    char temp[MAX_PATH];
    char empty[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    ASSERT_NE(0u, GetTempFileNameA(temp, "orv", 0, empty));
    EXPECT_EQ(nullptr, machine.Get().views.OpenView(empty)) << "an empty file cannot be mapped";
    DeleteFileA(empty);
}

TEST(SystemError, TextIsOneLineOfTheSystemsWording)
{
    std::string text = SystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(std::string::npos, text.find_first_of("\r\n")) << text;
    EXPECT_NE(' ', text.back());
    EXPECT_NE(text, SystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(std::string::npos, text.find("Error ")) << "the system has a text for it";
    EXPECT_EQ(text, SystemMessage(ERROR_ACCESS_DENIED));
    EXPECT_EQ("Error 4294967295", SystemErrorText(0xFFFFFFFFu));
    EXPECT_EQ("", SystemMessage(0xFFFFFFFFu));
}

}  // namespace
}  // namespace orrery
