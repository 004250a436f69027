// The catalogue on the live registry of the test run's Wine prefix: the test
// registers classes of its own (with real files in a scratch directory whose
// name holds a space), scans the whole registry and checks each of its
// classes, then compares every category with an independent reading made
// here with the plain Win32 calls.
#include "orrery/catalogue/catalogue.h"
#include "orrery/catalogue/tests/recorders.h"
#include "orrery/platform/win32_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

namespace orrery {
namespace {

const char kControl[] = "{7A3C1000-0000-4000-8000-000000000001}";
const char kDllServer[] = "{7A3C1000-0000-4000-8000-000000000002}";
const char kControlDll[] = "{7A3C1000-0000-4000-8000-000000000003}";
const char kOcxServer[] = "{7A3C1000-0000-4000-8000-000000000004}";
const char kExeServer[] = "{7A3C1000-0000-4000-8000-000000000005}";
const char kNoProgID[] = "{7A3C1000-0000-4000-8000-000000000006}";
const char kMissing[] = "{7A3C1000-0000-4000-8000-000000000007}";
const char kExeUnquoted[] = "{7A3C1000-0000-4000-8000-000000000008}";
// As long as a key name can be: "CLSID\\" and it are longer than one open call takes.
const std::string kLongName = "{7A3C1000-" + std::string(239, '0') + "-LONG}";

// The classes the test registers; '@' in a server value stands for the
// scratch directory.
struct CTestClass {
    std::string clsid;
    const char* progId;
    const char* subkey;
    const char* server;
    bool control;
};

const CTestClass kTestClasses[] = {
    {kControl, "Tarnwick.Control.1", "InprocServer32", "@control.ocx", true},
    {kDllServer, "Tarnwick.Dll.1", "InprocServer32", "@server.dll", false},
    {kControlDll, "Tarnwick.ControlDll.1", "InprocServer32", "@server.dll", true},
    {kOcxServer, "Tarnwick.Ocx.1", "InprocServer32", "@control.ocx", false},
    {kExeServer, "Tarnwick.Exe.1", "LocalServer32", "\"@server app.exe\" /automation", false},
    {kExeUnquoted, "Tarnwick.Exe.2", "LocalServer32", "@server app.exe /automation -x", false},
    {kNoProgID, nullptr, "InprocServer32", "@hidden.dll", false},
    {kMissing, "Tarnwick.Missing.1", "InprocServer32", "@missing.dll", false},
    {kLongName, "Tarnwick.Long.1", "InprocServer32", "@server.dll", false},
};

// The scratch files: copies of Wine's own, so they carry version resources.
const char* const kScratchFiles[][2] = {
    {"ole32.dll", "server.dll"}, {"oleaut32.dll", "control.ocx"},
    {"rpcss.exe", "server app.exe"}, {"ole32.dll", "hidden.dll"}};

std::string g_dir;  // the scratch directory, with a trailing backslash

// Creates the keys of path one name at a time, as a path with a long name
// does not fit one call, and sets a string value on the last.
void SetValue(const std::string& path, const char* name, const std::string& text)
{
    HKEY key = HKEY_CLASSES_ROOT;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = std::min(path.find('\\', start), path.size());
        HKEY child;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(key, path.substr(start, end - start).c_str(), 0, nullptr,
                                                 0, KEY_ALL_ACCESS, nullptr, &child, nullptr));
        if (key != HKEY_CLASSES_ROOT)
            RegCloseKey(key);
        key = child;
        start = end + 1;
    }
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void RegisterTestClass(const CTestClass& test)
{
    std::string key = "CLSID\\" + test.clsid;
    std::string server = test.server;
    server.replace(server.find('@'), 1, g_dir);
    SetValue(key, nullptr, "Tarnwick test class");
    if (test.progId) {
        SetValue(key + "\\ProgID", nullptr, test.progId);
        SetValue(std::string(test.progId) + "\\CLSID", nullptr, test.clsid);
    }
    SetValue(key + "\\" + test.subkey, nullptr, server);
    if (test.control)
        SetValue(key + "\\Control", nullptr, "");
}

void DeleteTree(HKEY parent, const std::string& name)
{
    HKEY key;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char child[256];
    DWORD size = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteTree(key, child);
        size = sizeof child;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name.c_str());
}

class LiveRegistryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        g_dir = std::string(temp) + "Tarnwick Catalogue " + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(g_dir.c_str(), nullptr);
        char system[MAX_PATH];
        GetSystemDirectoryA(system, MAX_PATH);
        for (const auto& file : kScratchFiles)
            CopyFileA((std::string(system) + "\\" + file[0]).c_str(), (g_dir + file[1]).c_str(), FALSE);
        for (const CTestClass& test : kTestClasses)
            RegisterTestClass(test);
        catalogue = new CCatalogue(machine.Get());
        catalogue->ScanRegistry();
    }

    static void TearDownTestSuite()
    {
        delete catalogue;
        catalogue = nullptr;
        HKEY classes;
        RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_ALL_ACCESS, &classes);
        for (const CTestClass& test : kTestClasses)
            DeleteTree(classes, test.clsid);
        RegCloseKey(classes);
        for (const CTestClass& test : kTestClasses) {
            if (test.progId)
                DeleteTree(HKEY_CLASSES_ROOT, test.progId);
        }
        for (const auto& file : kScratchFiles)
            DeleteFileA((g_dir + file[1]).c_str());
        RemoveDirectoryA(g_dir.c_str());
    }

    static CComObject* Record(ObjectCategory category, const std::string& clsid)
    {
        for (CComObject* record : RecordsOf(catalogue->List(category))) {
            if (record->GetClsid() == clsid)
                return record;
        }
        return nullptr;
    }

    static CWin32Platform machine;
    static CCatalogue* catalogue;
};

CWin32Platform LiveRegistryTest::machine;
CCatalogue* LiveRegistryTest::catalogue = nullptr;

TEST_F(LiveRegistryTest, ClassifiesEachRegisteredClassByItsKeys)
{
    EXPECT_TRUE(Record(CategoryControls, kControl));
    EXPECT_FALSE(Record(CategoryDllServers, kControl)) << "an .ocx value is no DLL server";
    EXPECT_TRUE(Record(CategoryDllServers, kDllServer));
    EXPECT_FALSE(Record(CategoryControls, kDllServer));
    EXPECT_TRUE(Record(CategoryControls, kControlDll));
    EXPECT_TRUE(Record(CategoryDllServers, kControlDll));
    for (int category = 0; category < kCategoryCount; ++category) {
        EXPECT_FALSE(Record(static_cast<ObjectCategory>(category), kOcxServer));
        EXPECT_FALSE(Record(static_cast<ObjectCategory>(category), kNoProgID));
    }
    EXPECT_TRUE(Record(CategoryExeServers, kExeServer));
    CComObject* longName = Record(CategoryDllServers, kLongName);
    ASSERT_TRUE(longName) << "a class with a name as long as a key name can be is kept";
    EXPECT_EQ("Tarnwick.Long.1", longName->GetProgID());
    EXPECT_TRUE(longName->IsFound());
}

TEST_F(LiveRegistryTest, ServerFilesDecideTheFoundFlag)
{
    CComObject* dll = Record(CategoryDllServers, kDllServer);
    ASSERT_TRUE(dll);
    EXPECT_TRUE(dll->IsFound());
    EXPECT_EQ(kStatusExists, dll->GetAttribute(AttrStatus));
    CComObject* missing = Record(CategoryDllServers, kMissing);
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->IsFound());
    EXPECT_EQ(kStatusMissing, missing->GetAttribute(AttrStatus));
    EXPECT_EQ("", missing->GetAttribute(AttrFileSize));
}

TEST_F(LiveRegistryTest, AQuotedExeCommandKeepsItsArgumentsAndShowsItsFile)
{
    CComObject* exe = Record(CategoryExeServers, kExeServer);
    ASSERT_TRUE(exe);
    EXPECT_EQ("\"" + g_dir + "server app.exe\" /automation", exe->GetFilePath());
    EXPECT_TRUE(exe->IsFound());
    EXPECT_EQ("Tarnwick test class", exe->GetProgID()) << "its class description";
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((g_dir + "server app.exe").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(std::to_string(data.nFileSizeLow) + " Bytes", exe->GetAttribute(AttrFileSize));
    EXPECT_EQ(17u, exe->GetAttribute(AttrCreated).size());
    EXPECT_EQ(8u, exe->GetAttribute(AttrAccessed).size());
}

TEST_F(LiveRegistryTest, AnUnquotedExeCommandShowsItsExistingFile)
{
    CComObject* exe = Record(CategoryExeServers, kExeUnquoted);
    ASSERT_TRUE(exe);
    EXPECT_EQ(g_dir + "server app.exe /automation -x", exe->GetFilePath());
    EXPECT_EQ(g_dir + "server app.exe", exe->GetServerFile());
    EXPECT_TRUE(exe->IsFound());
    EXPECT_NE("", exe->GetAttribute(AttrFileSize));
    EXPECT_EQ(kStatusExists, exe->GetAttribute(AttrStatus));
}

TEST_F(LiveRegistryTest, AttributesOfARealServerFile)
{
    CComObject* dll = Record(CategoryDllServers, kDllServer);
    ASSERT_TRUE(dll);
    EXPECT_EQ("Tarnwick.Dll.1", dll->GetProgID());
    EXPECT_EQ("Not Defined", dll->GetTypeLibName());
    CRecordingList list;
    dll->FillAttributeList(list);
    ASSERT_EQ(19u, list.rows.size()) << "5 registry, 2 file, 4 size and time, 8 version rows";
    EXPECT_EQ("Product Version", list.rows.back().label);
    EXPECT_NE("", list.Value("File Version"));
    EXPECT_NE("", list.Value("Original Filename"));
    CRecordingTree tree;
    dll->FillRegistryTree(tree);  // the registry lists subkeys sorted by name
    EXPECT_EQ("HKEY_CLASSES_ROOT\n  CLSID\n    " + std::string(kDllServer) +
                  "\n      InprocServer32\n      ProgID\n  Tarnwick.Dll.1\n    CLSID\n",
              tree.Render());
}

TEST_F(LiveRegistryTest, FindsTheClassOfAFileWithoutProgID)
{
    std::unique_ptr<CComObject> found = FindObjectByFile(machine.Get(), g_dir + "HIDDEN.DLL", nullptr);
    ASSERT_TRUE(found);
    EXPECT_EQ(kNoProgID, found->GetClsid());
    std::unique_ptr<CComObject> none = FindObjectByFile(machine.Get(), g_dir + "nothing.dll", nullptr);
    EXPECT_FALSE(none);
}

// The independent reading: the classification rules, written out with the
// plain registry calls, opening the class key first.
bool Opens(HKEY clsid, const std::string& name, const char* subkey)
{
    HKEY key;
    if (RegOpenKeyExA(clsid, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    HKEY sub;
    bool opened = RegOpenKeyExA(key, subkey, 0, KEY_READ, &sub) == ERROR_SUCCESS;
    if (opened)
        RegCloseKey(sub);
    RegCloseKey(key);
    return opened;
}

bool EndsInDll(HKEY clsid, const std::string& name)
{
    HKEY key;
    if (RegOpenKeyExA(clsid, name.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char value[260] = {0};
    LONG size = sizeof value - 1;
    LONG read = RegQueryValueA(key, "InprocServer32", value, &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS)
        return false;
    std::string text(value);
    if (text.size() <= 3)
        return false;
    std::string tail = text.substr(text.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(), ::toupper);
    return tail == "DLL";
}

TEST_F(LiveRegistryTest, EveryCategoryAgreesWithAnIndependentReading)
{
    std::vector<std::string> expected[kCategoryCount];
    HKEY clsid;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ, &clsid));
    DWORD total = 0;
    char name[256];
    DWORD size = sizeof name;
    for (DWORD i = 0; RegEnumKeyExA(clsid, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                      ERROR_SUCCESS; ++i, size = sizeof name) {
        ++total;
        if (!Opens(clsid, name, "ProgID"))
            continue;
        if (Opens(clsid, name, "Control"))
            expected[CategoryControls].push_back(name);
        else if (Opens(clsid, name, "LocalServer32"))
            expected[CategoryExeServers].push_back(name);
        if (EndsInDll(clsid, name))
            expected[CategoryDllServers].push_back(name);
    }
    RegCloseKey(clsid);
    EXPECT_GT(total, 200u) << "Wine registers several hundred classes";
    for (int category = 0; category < kCategoryCount; ++category) {
        std::vector<std::string> scanned;
        for (const CComObject* record : RecordsOf(catalogue->List(static_cast<ObjectCategory>(category))))
            scanned.push_back(record->GetClsid());
        EXPECT_EQ(expected[category], scanned) << kCategoryTabText[category];
    }
    EXPECT_GT(catalogue->List(CategoryDllServers).size(), 50u);
}

}  // namespace
}  // namespace orrery
