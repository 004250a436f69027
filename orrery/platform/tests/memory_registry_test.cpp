// The in-memory registry must keep the contracts of the Win32 calls it
// stands for, or the catalogue tests built on it prove nothing.
#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orrery {
namespace {

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

TEST(MemoryRegistry, OpensPathsIgnoringCaseAndQueriesTypedValues)
{
    CMemoryRegistry registry;
    registry.SetString("CLSID\\{ABC}\\InprocServer32", "", "hello");
    registry.SetDword("CLSID\\{ABC}\\InprocServer32", "Flags", 0x01020304);
    RegKey clsid = kNoKey;
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "clsid", &clsid));
    ASSERT_EQ(kRegSuccess, registry.OpenKey(clsid, "{abc}\\INPROCSERVER32", &key));
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(kClassesRoot, "CLSID\\\\{ABC}", &clsid));

    unsigned long type = 0;
    unsigned long size = 0;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "", &type, nullptr, &size));
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ(6u, size) << "a string's size counts its terminating zero";
    unsigned char data[8];
    size = 5;
    EXPECT_EQ(kRegMoreData, registry.QueryValue(key, nullptr, &type, data, &size));
    EXPECT_EQ(6u, size) << "the size needed comes back";
    size = sizeof data;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "FLAGS", &type, data, &size));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(0x04, data[0]);
    EXPECT_EQ(kRegFileNotFound, registry.QueryValue(key, "Missing", &type, data, &size));

    registry.CloseKey(key);
    registry.CloseKey(clsid);
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST(MemoryRegistry, EnumeratesInCreationOrderWithinTheNameBuffer)
{
    CMemoryRegistry registry;
    for (const char* name : {"Root\\zeta", "Root\\Alpha", "Root\\mid", "Root\\ALPHA\\child"})
        registry.AddKey(name);
    registry.SetString("Root", "second", "2");
    registry.SetString("Root", "first", "1");
    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "Root", &key));
    EXPECT_EQ((std::vector<std::string>{"zeta", "Alpha", "mid"}), SubkeyNames(registry, key));

    char name[5];
    unsigned long size = 4;
    EXPECT_EQ(kRegMoreData, registry.EnumKey(key, 0, name, &size)) << "the size includes the zero";
    size = 5;
    EXPECT_EQ(kRegSuccess, registry.EnumKey(key, 0, name, &size));
    EXPECT_EQ(4u, size);
    EXPECT_EQ(kRegNoMoreItems, registry.EnumKey(key, 3, name, &size));

    char valueName[16];
    unsigned long nameSize = sizeof valueName;
    unsigned long dataSize = 0;
    ASSERT_EQ(kRegSuccess, registry.EnumValue(key, 0, valueName, &nameSize, nullptr, nullptr, &dataSize));
    EXPECT_STREQ("second", valueName);
    EXPECT_EQ(2u, dataSize);
    registry.CloseKey(key);
}

TEST(MemoryRegistry, DeletedKeysVanishFromEnumerationAndOpenHandles)
{
    CMemoryRegistry registry;
    for (const char* name : {"CLSID\\{1}\\ProgID", "CLSID\\{2}", "CLSID\\{3}"})
        registry.AddKey(name);
    std::vector<unsigned long> hooked;
    registry.SetEnumKeyHook([&](unsigned long index) {
        hooked.push_back(index);
        if (index == 0)
            registry.RemoveKey("clsid\\{1}");
    });
    RegKey clsid = kNoKey;
    RegKey one = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID", &clsid));
    ASSERT_EQ(kRegSuccess, registry.OpenKey(clsid, "{1}\\ProgID", &one));
    EXPECT_EQ((std::vector<std::string>{"{2}", "{3}"}), SubkeyNames(registry, clsid));
    EXPECT_EQ((std::vector<unsigned long>{0, 1, 2}), hooked);

    unsigned long size = 0;
    EXPECT_EQ(kRegKeyDeleted, registry.QueryValue(one, nullptr, nullptr, nullptr, &size));
    RegKey again = kNoKey;
    EXPECT_EQ(kRegFileNotFound, registry.OpenKey(clsid, "{1}", &again));
    EXPECT_FALSE(registry.RemoveKey("CLSID\\{1}"));
    EXPECT_TRUE(registry.RemoveKey("CLSID\\{2}"));
    EXPECT_EQ(kRegSuccess, registry.OpenKey(clsid, "{3}", &again)) << "lookup rebuilt after removal";
    registry.CloseKey(again);
    registry.CloseKey(one);
    registry.CloseKey(clsid);
    EXPECT_EQ(kRegInvalidHandle, registry.CloseKey(clsid));
}

std::string ValueText(const CMemoryRegistry& registry, const std::string& path, const std::string& name)
{
    unsigned long type = 0;
    std::string bytes;
    return registry.GetValue(path, name, &type, &bytes) ? bytes : "<none>";
}

TEST(MemoryRegistry, CreatesSetsAndDeletesThroughTheSeam)
{
    CMemoryRegistry registry;
    registry.AddKey("dllfile");
    RegKey verb = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.CreateKey(kClassesRoot, "dllfile\\shell\\R\\command", &verb));
    const unsigned char text[] = "run %1";
    EXPECT_EQ(kRegSuccess, registry.SetValue(verb, nullptr, kRegSz, text, sizeof text));
    EXPECT_EQ(std::string("run %1", 7), ValueText(registry, "DLLFILE\\shell\\r\\COMMAND", ""));
    registry.CloseKey(verb);

    RegKey readOnly = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "dllfile\\shell", &readOnly));
    EXPECT_EQ(kRegAccessDenied, registry.SetValue(readOnly, nullptr, kRegSz, text, sizeof text))
        << "a key opened for reading takes no values";
    RegKey writable = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKeyToChange(kClassesRoot, "dllfile\\shell", &writable));
    EXPECT_EQ(kRegSuccess, registry.SetValue(writable, "", kRegSz, text, 2));
    EXPECT_EQ(std::string("ru"), ValueText(registry, "dllfile\\shell", ""));

    EXPECT_EQ(kRegAccessDenied, registry.DeleteKey(kClassesRoot, "dllfile\\shell\\R"))
        << "a key with subkeys is not deleted in one step";
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(writable, "r\\command\\"));
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(writable, "R"));
    EXPECT_FALSE(registry.HasKey("dllfile\\shell\\R"));
    EXPECT_EQ(kRegFileNotFound, registry.DeleteKey(writable, "R"));
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(kClassesRoot, "dllfile\\shell"));
    EXPECT_EQ(kRegKeyDeleted, registry.SetValue(writable, "", kRegSz, text, 2))
        << "a handle on a deleted key answers deleted";
    registry.CloseKey(writable);
    registry.CloseKey(readOnly);
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST(MemoryRegistry, RefusesSubkeyTextsLongerThanOneCallTakes)
{
    CMemoryRegistry registry;
    const std::string name(255, 'n');
    registry.AddKey("CLSID\\" + name + "\\ProgID");
    RegKey key = kNoKey;
    EXPECT_EQ(kRegMoreData, registry.OpenKey(kClassesRoot, ("CLSID\\" + name + "\\ProgID").c_str(), &key));
    EXPECT_EQ(kRegMoreData, registry.CreateKey(kClassesRoot, ("CLSID\\" + name + "\\Other").c_str(), &key));
    EXPECT_EQ(kRegMoreData, registry.OpenKey(kClassesRoot, ("CLSID\\" + name).c_str(), &key));
    registry.AddKey("CLSID\\" + name.substr(1));
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, ("CLSID\\" + name.substr(1)).c_str(), &key))
        << "260 characters fit";
    registry.CloseKey(key);
    RegKey clsid = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID", &clsid));
    ASSERT_EQ(kRegSuccess, registry.OpenKey(clsid, name.c_str(), &key)) << "one name at a time";
    RegKey progId = kNoKey;
    EXPECT_EQ(kRegSuccess, registry.OpenKey(key, "ProgID", &progId));
    registry.CloseKey(progId);
    registry.CloseKey(key);
    registry.CloseKey(clsid);
}

TEST(MemoryRegistry, RefusesChangesBelowARefusedKeyButNotReads)
{
    CMemoryRegistry registry;
    registry.SetString("CLSID\\{1}\\ProgID", "", "One.One");
    registry.AddKey("CLSID2");
    registry.RefuseChanges("clsid");

    RegKey key = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID\\{1}\\ProgID", &key));
    unsigned long size = 0;
    EXPECT_EQ(kRegSuccess, registry.QueryValue(key, "", nullptr, nullptr, &size));
    EXPECT_EQ(kRegAccessDenied, registry.SetValue(key, "", kRegSz, nullptr, 0));
    registry.CloseKey(key);

    RegKey changed = kNoKey;
    EXPECT_EQ(kRegAccessDenied, registry.OpenKeyToChange(kClassesRoot, "CLSID\\{1}", &changed));
    EXPECT_EQ(kRegAccessDenied, registry.CreateKey(kClassesRoot, "CLSID\\{1}", &changed));
    EXPECT_EQ(kRegAccessDenied, registry.CreateKey(kClassesRoot, "CLSID\\{2}\\InprocServer32", &changed));
    EXPECT_EQ(kRegAccessDenied, registry.DeleteKey(kClassesRoot, "CLSID\\{1}\\ProgID"));
    EXPECT_TRUE(registry.HasKey("CLSID\\{1}\\ProgID"));
    EXPECT_FALSE(registry.HasKey("CLSID\\{2}"));

    EXPECT_EQ(kRegSuccess, registry.CreateKey(kClassesRoot, "CLSID2\\child", &changed))
        << "a key whose name only begins like the refused one is not refused";
    registry.CloseKey(changed);
    EXPECT_EQ(kRegSuccess, registry.DeleteKey(kClassesRoot, "CLSID2\\child"));

    registry.RefuseChanges("");
    EXPECT_EQ(kRegAccessDenied, registry.CreateKey(kClassesRoot, "Anything", &changed));
    EXPECT_EQ(kRegAccessDenied, registry.DeleteKey(kClassesRoot, "CLSID2"));
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

}  // namespace
}  // namespace orrery
