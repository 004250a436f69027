#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace orrery {
namespace {

std::string ReadString(CMemoryRegistry& registry, RegKey key, const char* name,
                       long* result)
{
    char buffer[64] = {0};
    unsigned long size = sizeof buffer - 1;
    unsigned long type = 0;
    *result = registry.QueryValue(key, name, &type,
                                  reinterpret_cast<unsigned char*>(buffer), &size);
    return buffer;
}

std::vector<std::string> SubkeyNames(CMemoryRegistry& registry, RegKey key)
{
    std::vector<std::string> names;
    char name[64];
    unsigned long size = sizeof name;
    for (unsigned long i = 0; registry.EnumKey(key, i, name, &size) == kRegSuccess;
         ++i, size = sizeof name)
        names.push_back(name);
    return names;
}

TEST(MemoryRegistry, OpensKeysIgnoringCaseAlongAPath)
{
    CMemoryRegistry registry;
    registry.SetString("CLSID\\{ABC}\\InprocServer32", "", "C:\\a.dll");
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "clsid\\{abc}\\INPROCSERVER32", &key));
    long result;
    EXPECT_EQ("C:\\a.dll", ReadString(registry, key, nullptr, &result));
    EXPECT_EQ(kRegSuccess, result);
    EXPECT_EQ(kRegSuccess, registry.CloseKey(key));

    RegKey clsid = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID", &clsid));
    EXPECT_EQ(kRegSuccess, registry.OpenKey(clsid, "{Abc}", &key));
    registry.CloseKey(key);
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(clsid, "{ABD}", &key));
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(kClassesRoot, "CLSID\\\\{ABC}", &key));
    registry.CloseKey(clsid);
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST(MemoryRegistry, QueriesKeepTypeAndTheWin32SizeContract)
{
    CMemoryRegistry registry;
    registry.SetString("K", "", "hello");
    registry.SetString("K", "Path", "%SystemRoot%", kRegExpandSz);
    registry.SetDword("K", "Flags", 0x01020304);
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "K", &key));

    unsigned long type = 0;
    unsigned long size = 0;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "", &type, nullptr, &size));
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ(6u, size) << "a string's size counts its terminating zero";

    unsigned char small[4];
    size = sizeof small;
    EXPECT_EQ(kRegMoreData, registry.QueryValue(key, nullptr, &type, small, &size));
    EXPECT_EQ(6u, size);

    unsigned char data[16];
    size = sizeof data;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "path", &type, data, &size));
    EXPECT_EQ(kRegExpandSz, type);
    EXPECT_STREQ("%SystemRoot%", reinterpret_cast<char*>(data));

    size = sizeof data;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "FLAGS", &type, data, &size));
    EXPECT_EQ(kRegDword, type);
    ASSERT_EQ(4u, size);
    EXPECT_EQ(0x04, data[0]);
    EXPECT_EQ(0x01, data[3]);

    EXPECT_EQ(kRegFileNotFound, registry.QueryValue(key, "Missing", &type, data, &size));
    registry.CloseKey(key);
}

TEST(MemoryRegistry, EnumeratesInCreationOrderWithBoundedNames)
{
    CMemoryRegistry registry;
    registry.CreateKey("Root\\zeta");
    registry.CreateKey("Root\\Alpha");
    registry.CreateKey("Root\\mid");
    registry.CreateKey("Root\\ALPHA\\child");
    registry.SetString("Root", "second", "2");
    registry.SetString("Root", "first", "1");
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "Root", &key));
    EXPECT_EQ((std::vector<std::string>{"zeta", "Alpha", "mid"}), SubkeyNames(registry, key));

    char name[5];
    unsigned long size = sizeof name;
    EXPECT_EQ(kRegMoreData, registry.EnumKey(key, 1, name, &size)) << "Alpha needs 6 bytes";
    size = 4;
    EXPECT_EQ(kRegMoreData, registry.EnumKey(key, 0, name, &size)) << "the size includes the zero";
    size = 5;
    EXPECT_EQ(kRegSuccess, registry.EnumKey(key, 0, name, &size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(kRegNoMoreItems, registry.EnumKey(key, 3, name, &size));

    char valueName[16];
    unsigned long nameSize = sizeof valueName;
    unsigned char data[16];
    unsigned long dataSize = sizeof data;
    unsigned long type = 0;
    ASSERT_EQ(kRegSuccess, registry.EnumValue(key, 0, valueName, &nameSize, &type, data, &dataSize));
    EXPECT_STREQ("second", valueName);
    EXPECT_EQ(6u, nameSize);
    EXPECT_EQ(2u, dataSize);
    nameSize = sizeof valueName;
    EXPECT_EQ(kRegNoMoreItems, registry.EnumValue(key, 2, valueName, &nameSize, &type, data, &dataSize));
    registry.CloseKey(key);
}

TEST(MemoryRegistry, DeletedKeysVanishFromEnumerationAndOpenHandles)
{
    CMemoryRegistry registry;
    registry.SetString("CLSID\\{1}\\ProgID", "", "One");
    registry.CreateKey("CLSID\\{2}");
    registry.CreateKey("CLSID\\{3}");
    RegKey clsid = kNoKey;
    RegKey one = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID", &clsid));
    ASSERT_EQ(kRegSuccess, registry.OpenKey(clsid, "{1}\\ProgID", &one));

    EXPECT_TRUE(registry.DeleteKey("clsid\\{1}"));
    EXPECT_FALSE(registry.DeleteKey("CLSID\\{1}"));
    EXPECT_EQ((std::vector<std::string>{"{2}", "{3}"}), SubkeyNames(registry, clsid));
    long result;
    ReadString(registry, one, nullptr, &result);
    EXPECT_EQ(kRegKeyDeleted, result);
    RegKey again = kNoKey;
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(clsid, "{1}", &again));
    EXPECT_TRUE(registry.DeleteKey("CLSID\\{3}"));
    EXPECT_EQ(kRegSuccess, registry.OpenKey(clsid, "{2}", &again)) << "index rebuilt after removal";
    registry.CloseKey(again);

    EXPECT_EQ(2u, registry.OpenKeyCount());
    registry.CloseKey(one);
    registry.CloseKey(clsid);
    EXPECT_EQ(0u, registry.OpenKeyCount());
    EXPECT_EQ(kRegInvalidHandle, registry.CloseKey(clsid));
}

TEST(MemoryRegistry, CountsCallsLogsQueriesAndRunsTheEnumerationHook)
{
    CMemoryRegistry registry;
    registry.SetString("CLSID\\{1}\\InprocServer32", "", "x.dll");
    std::vector<unsigned long> hooked;
    registry.SetEnumKeyHook([&hooked](unsigned long index) { hooked.push_back(index); });
    RegKey key = kNoKey;
    registry.OpenKey(kClassesRoot, "CLSID", &key);
    SubkeyNames(registry, key);
    RegKey server = kNoKey;
    registry.OpenKey(key, "{1}\\InprocServer32", &server);
    long result;
    ReadString(registry, server, nullptr, &result);
    ReadString(registry, server, "ThreadingModel", &result);
    registry.CloseKey(server);
    registry.CloseKey(key);

    EXPECT_EQ(2u, registry.Counts().opens);
    EXPECT_EQ(2u, registry.Counts().keyEnums);
    EXPECT_EQ(2u, registry.Counts().queries);
    EXPECT_EQ(2u, registry.Counts().closes);
    EXPECT_EQ((std::vector<unsigned long>{0, 1}), hooked);
    EXPECT_EQ((std::vector<std::string>{"CLSID\\{1}\\InprocServer32|",
                                        "CLSID\\{1}\\InprocServer32|ThreadingModel"}),
              registry.QueryLog());
    registry.ResetCounts();
    EXPECT_EQ(0u, registry.Counts().opens);
    EXPECT_TRUE(registry.QueryLog().empty());
}

}  // namespace
}  // namespace orrery
