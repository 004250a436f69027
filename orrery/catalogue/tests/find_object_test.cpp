#include "orrery/catalogue/catalogue.h"
#include "orrery/catalogue/tests/recorders.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

namespace orrery {
namespace {

class FindObjectTest : public ::testing::Test {
protected:
    std::unique_ptr<CComObject> Find(const std::string& path)
    {
        ++searches;
        return FindObjectByFile(machine.Get(), path, [this] { ++started; });
    }

    void AddServer(const std::string& clsid, const char* progId, const char* subkey,
                   const std::string& value)
    {
        AddClass(machine.registry, clsid, progId);
        SetClassValue(machine.registry, clsid, subkey, value);
    }

    CMemoryPlatform machine;
    int searches = 0;
    int started = 0;
};

TEST_F(FindObjectTest, FindsAClassWithoutProgIDByItsPathIgnoringCase)
{
    AddServer("{other}", "Other", "InprocServer32", "C:\\x\\other.dll");
    AddServer("{hidden}", nullptr, "InprocServer32", "C:\\X\\Hidden.dll");
    SetClassValue(machine.registry, "{hidden}", "LocalServer32", "C:\\X\\hidden.exe");
    auto found = Find("c:\\x\\HIDDEN.DLL");
    ASSERT_TRUE(found);
    EXPECT_EQ("{hidden}", found->GetClsid());
    EXPECT_EQ(typeid(CDllServer), typeid(*found));
    EXPECT_EQ(1, started);
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(FindObjectTest, TriesControlThenDllThenExeAndReturnsTheFirstMatch)
{
    AddServer("{ctl}", nullptr, "InprocServer32", "C:\\x\\shared.dll");
    SetClassValue(machine.registry, "{ctl}", "LocalServer32", "C:\\x\\shared.dll");
    AddClassKey(machine.registry, "{ctl}", "Control");
    AddServer("{dll}", nullptr, "InprocServer32", "C:\\x\\shared.dll");
    auto found = Find("C:\\x\\shared.dll");
    ASSERT_TRUE(found);
    EXPECT_EQ("{ctl}", found->GetClsid());
    EXPECT_EQ(typeid(CComControl), typeid(*found));

    AddServer("{exe}", nullptr, "LocalServer32", "C:\\x\\app.exe");
    SetClassValue(machine.registry, "{exe}", "InprocServer32", "C:\\x\\app.exe");
    found = Find("C:\\x\\app.exe");
    ASSERT_TRUE(found);
    EXPECT_EQ(typeid(CExeServer), typeid(*found)) << "an .exe value is no DLL server";
}

TEST_F(FindObjectTest, MatchesAnExistingFileOfTheSameNamesElsewhere)
{
    CFileEntry entry;
    entry.shortName = "LONGWI~1.DLL";
    machine.files.AddFile("C:\\Windows\\System32\\Long Widget.dll", entry);
    machine.files.AddFile("D:\\Copy\\Long Widget.dll", entry);
    AddServer("{w}", "W", "InprocServer32", "C:\\Windows\\System32\\Long Widget.dll");
    auto found = Find("D:\\Copy\\Long Widget.dll");
    ASSERT_TRUE(found);
    EXPECT_EQ("{w}", found->GetClsid());

    entry.shortName = "LONGWI~2.DLL";
    machine.files.AddFile("D:\\Other\\Long Widget.dll", entry);
    EXPECT_FALSE(Find("D:\\Other\\Long Widget.dll")) << "the short names differ";
}

TEST_F(FindObjectTest, AMissingFileMatchesOnlyByItsPath)
{
    AddServer("{gone}", nullptr, "InprocServer32", "C:\\x\\gone.dll");
    EXPECT_TRUE(Find("C:\\X\\GONE.DLL"));
    EXPECT_FALSE(Find("D:\\y\\gone.dll"));
}

TEST_F(FindObjectTest, FindsAnExeServerStartedWithArgumentsByItsFile)
{
    machine.files.AddFile("C:\\Program Files\\App\\app.exe");
    AddServer("{app}", "App", "LocalServer32", "\"C:\\Program Files\\App\\app.exe\" /automation");
    auto found = Find("C:\\Program Files\\App\\app.exe");
    ASSERT_TRUE(found);
    EXPECT_EQ("\"C:\\Program Files\\App\\app.exe\" /automation", found->GetFilePath());
}

TEST_F(FindObjectTest, ReturnsNothingWithoutAMatchOrAClassList)
{
    AddServer("{a}", "A", "InprocServer32", "C:\\a.dll");
    AddClass(machine.registry, "{nothing}", "Nothing");
    EXPECT_FALSE(Find("C:\\b.dll"));
    EXPECT_EQ(1, started);
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());

    machine.registry.RemoveKey("CLSID");
    EXPECT_FALSE(Find("C:\\a.dll"));
    EXPECT_EQ(1, started) << "no wait window without a class list";
}

TEST_F(FindObjectTest, AnEmptyPathMatchesNoClassWithoutAServerValue)
{
    AddServer("{ctl}", "Ctl", "InprocServer32", "");
    AddClassKey(machine.registry, "{ctl}", "Control");
    AddServer("{exe}", nullptr, "LocalServer32", "");
    AddServer("{dll}", nullptr, "InprocServer32", "C:\\x\\a.dll");
    EXPECT_FALSE(Find(""));
    EXPECT_EQ(0, started) << "no search at all";
    auto found = Find("C:\\X\\A.DLL");
    ASSERT_TRUE(found);
    EXPECT_EQ("{dll}", found->GetClsid());
}

TEST_F(FindObjectTest, LongClassNamesDoNotEndTheSearch)
{
    AddServer("{" + std::string(1100, 'n') + "}", nullptr, "InprocServer32", "C:\\n.dll");
    AddServer("{after}", nullptr, "InprocServer32", "C:\\after.dll");
    auto found = Find("C:\\after.dll");
    ASSERT_TRUE(found);
    EXPECT_EQ("{after}", found->GetClsid());
}

}  // namespace
}  // namespace orrery
