#include "orrery/catalogue/catalogue.h"
#include "orrery/catalogue/tests/recorders.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <typeinfo>

namespace orrery {
namespace {

class ScanTest : public ::testing::Test {
protected:
    std::vector<std::string> Clsids(ObjectCategory category) const
    {
        std::vector<std::string> clsids;
        for (const CComObject* record : RecordsOf(catalogue.List(category)))
            clsids.push_back(record->GetClsid());
        return clsids;
    }

    void AddServer(const std::string& clsid, const char* progId, const char* subkey,
                   const std::string& value)
    {
        AddClass(machine.registry, clsid, progId);
        SetClassValue(machine.registry, clsid, subkey, value);
    }

    CMemoryPlatform machine;
    CCatalogue catalogue{machine.Get()};
};

TEST_F(ScanTest, SortsClassesByTheirKeysAndServerValues)
{
    AddServer("{ctl-dll}", "Ctl.Dll", "InprocServer32", "C:\\x\\ctl.dll");
    AddClassKey(machine.registry, "{ctl-dll}", "Control");
    AddServer("{ctl-ocx}", "Ctl.Ocx", "InprocServer32", "C:\\x\\ctl.ocx");
    AddClassKey(machine.registry, "{ctl-ocx}", "Control");
    AddServer("{dll}", "Plain.Dll", "InProcServer32", "c:\\x\\plain.Dll");
    AddServer("{exe}", "Plain.Exe", "LocalServer32", "C:\\x\\plain.exe");
    AddServer("{exe-dll}", "Both", "LocalServer32", "C:\\x\\both.exe");
    SetClassValue(machine.registry, "{exe-dll}", "InprocServer32", "C:\\x\\both.dll");
    AddServer("{ctl-exe}", "Ctl.Exe", "LocalServer32", "C:\\x\\ctl.exe");
    AddClassKey(machine.registry, "{ctl-exe}", "Control");
    AddServer("{no-progid}", nullptr, "InprocServer32", "C:\\x\\hidden.dll");
    AddServer("{quoted}", "Quoted", "InprocServer32", "\"C:\\x\\quoted.dll\"");
    AddServer("{short}", "Short", "InprocServer32", "DLL");
    AddServer("{shorter}", "Shorter", "InprocServer32", "aDLL");
    AddServer("{nothing}", "Nothing", "TreatAs", "{dll}");
    catalogue.ScanRegistry();

    EXPECT_EQ((std::vector<std::string>{"{ctl-dll}", "{ctl-ocx}", "{ctl-exe}"}),
              Clsids(CategoryControls));
    EXPECT_EQ((std::vector<std::string>{"{ctl-dll}", "{dll}", "{exe-dll}", "{shorter}"}),
              Clsids(CategoryDllServers));
    EXPECT_EQ((std::vector<std::string>{"{exe}", "{exe-dll}"}), Clsids(CategoryExeServers));

    EXPECT_EQ(typeid(CComControl), typeid(*catalogue.List(CategoryControls)[0]));
    EXPECT_EQ(typeid(CDllServer), typeid(*catalogue.List(CategoryDllServers)[0]));
    EXPECT_EQ(typeid(CExeServer), typeid(*catalogue.List(CategoryExeServers)[0]));
    EXPECT_NE(catalogue.List(CategoryControls)[0], catalogue.List(CategoryDllServers)[0])
        << "each list owns a record of its own";
    EXPECT_EQ("C:\\x\\both.exe", catalogue.List(CategoryExeServers)[1]->GetFilePath());
    EXPECT_EQ("C:\\x\\both.dll", catalogue.List(CategoryDllServers)[2]->GetFilePath());
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(ScanTest, KeepsMisbehavedClassesWithTheirFoundFlag)
{
    machine.files.AddFile("C:\\x\\here.dll");
    AddServer("{here}", "Here", "InprocServer32", "C:\\x\\here.dll");
    AddServer("{gone}", "Gone", "InprocServer32", "C:\\x\\gone.dll");
    catalogue.ScanRegistry();
    ASSERT_EQ(2u, catalogue.List(CategoryDllServers).size());
    EXPECT_TRUE(catalogue.List(CategoryDllServers)[0]->IsFound());
    EXPECT_FALSE(catalogue.List(CategoryDllServers)[1]->IsFound());
}

TEST_F(ScanTest, ValuesThatCannotBeReadAreNotDllServers)
{
    machine.registry.SetDword("CLSID\\{dword}\\InprocServer32", "", 1);
    AddClass(machine.registry, "{dword}", "Dword");
    AddServer("{fits}", "Fits", "InprocServer32", "C:\\" + std::string(250, 'f') + ".dll");
    AddClass(machine.registry, "{nokey}", "NoKey");
    catalogue.ScanRegistry();
    EXPECT_EQ((std::vector<std::string>{"{fits}"}), Clsids(CategoryDllServers));
}

// A server path longer than MAX_PATH (the buffer the category test reads
// with) still names a DLL server: the class is listed, with the path as
// registered, and its missing file makes it misbehaved.
TEST_F(ScanTest, AServerPathLongerThanMaxPathIsListedAsMisbehaved)
{
    std::string longPath = "C:\\";
    for (int folder = 0; folder < 20; ++folder)
        longPath += "verylongfolder" + std::to_string(folder) + "\\";
    longPath += "x.dll";
    ASSERT_GT(longPath.size(), 259u);
    AddServer("{fits}", "Fits", "InprocServer32", "C:\\" + std::string(250, 'f') + ".dll");
    AddServer("{long}", "Long", "InprocServer32", longPath);
    AddServer("{longctl}", "LongCtl", "InprocServer32", longPath + "x");
    machine.registry.AddKey("CLSID\\{longctl}\\Control");
    catalogue.ScanRegistry();
    ASSERT_EQ((std::vector<std::string>{"{fits}", "{long}"}), Clsids(CategoryDllServers));
    const CComObject* record = catalogue.List(CategoryDllServers)[1].get();
    EXPECT_EQ(longPath, record->GetFilePath());
    EXPECT_FALSE(record->IsFound());
    EXPECT_EQ((std::vector<std::string>{"{longctl}"}), Clsids(CategoryControls));
}

TEST_F(ScanTest, AUserWhoMayNotChangeTheMachineStillSeesEveryClassAndAttribute)
{
    machine.files.AddFile("C:\\x\\here.dll");
    AddServer("{here}", "Here", "InprocServer32", "C:\\x\\here.dll");
    AddServer("{exe}", "Exe", "LocalServer32", "C:\\x\\exe.exe");
    machine.registry.RefuseChanges("");
    catalogue.ScanRegistry();
    ASSERT_EQ((std::vector<std::string>{"{here}"}), Clsids(CategoryDllServers));
    EXPECT_EQ((std::vector<std::string>{"{exe}"}), Clsids(CategoryExeServers));
    EXPECT_TRUE(catalogue.List(CategoryDllServers)[0]->IsFound());
    EXPECT_EQ("Here", catalogue.List(CategoryDllServers)[0]->GetAttribute(0));
}

TEST_F(ScanTest, LongClassNamesDoNotEndTheScan)
{
    const std::string name63 = "{" + std::string(61, '6') + "}";
    // 255 characters, the longest a key name can be: with "\\ProgID" it is
    // longer than one open call takes.
    const std::string name255 = "{" + std::string(253, '5') + "}";
    AddServer("{first}", "First", "InprocServer32", "C:\\first.dll");
    AddServer(name63, "SixtyThree", "InprocServer32", "C:\\63.dll");
    AddServer(name255, "TwoFiftyFive", "InprocServer32", "C:\\255.dll");
    AddServer("{last}", "Last", "InprocServer32", "C:\\last.dll");
    catalogue.ScanRegistry();
    EXPECT_EQ((std::vector<std::string>{"{first}", name63, name255, "{last}"}),
              Clsids(CategoryDllServers));
    EXPECT_EQ("SixtyThree", catalogue.List(CategoryDllServers)[1]->GetProgID());
    EXPECT_EQ("TwoFiftyFive", catalogue.List(CategoryDllServers)[2]->GetProgID());
    EXPECT_EQ("C:\\255.dll", catalogue.List(CategoryDllServers)[2]->GetFilePath());
}

TEST_F(ScanTest, KeysVanishingDuringTheScanLoseNothingElse)
{
    for (const char* clsid : {"{a}", "{b}", "{c}", "{d}"})
        AddServer(clsid, "P", "InprocServer32", std::string("C:\\") + clsid + ".dll");
    machine.registry.SetEnumKeyHook([this](unsigned long index) {
        if (index == 1)
            machine.registry.RemoveKey("CLSID\\{c}\\InprocServer32");
    });
    catalogue.ScanRegistry();
    EXPECT_EQ((std::vector<std::string>{"{a}", "{b}", "{d}"}), Clsids(CategoryDllServers));
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(ScanTest, ClassesDeletedDuringTheScanAreTheOnlyOnesMissing)
{
    for (const char* clsid : {"{a}", "{b}", "{c}", "{d}", "{e}"})
        AddServer(clsid, "P", "InprocServer32", std::string("C:\\") + clsid + ".dll");
    bool deleted = false;
    machine.registry.SetEnumKeyHook([&](unsigned long index) {
        // Deleting a class already read moves every later one down a place.
        if (index == 2 && !deleted)
            deleted = machine.registry.RemoveKey("CLSID\\{a}");
    });
    catalogue.ScanRegistry();
    EXPECT_EQ((std::vector<std::string>{"{b}", "{c}", "{d}", "{e}"}), Clsids(CategoryDllServers));
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(ScanTest, TheWholeClassListVanishingEndsTheScanQuietly)
{
    for (const char* clsid : {"{a}", "{b}", "{c}"})
        AddServer(clsid, "P", "InprocServer32", "C:\\x.dll");
    machine.registry.SetEnumKeyHook([this](unsigned long index) {
        if (index == 2)
            machine.registry.RemoveKey("CLSID");
    });
    catalogue.ScanRegistry();
    EXPECT_TRUE(Clsids(CategoryDllServers).empty()) << "the classes are gone";
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(ScanTest, NoClassListGivesAnEmptyCatalogue)
{
    machine.registry.AddKey("Interface\\{x}");
    catalogue.ScanRegistry();
    for (int category = 0; category < kCategoryCount; ++category)
        EXPECT_TRUE(catalogue.List(static_cast<ObjectCategory>(category)).empty());
}

TEST_F(ScanTest, RefreshReportsEachStepAndRebuilds)
{
    AddServer("{a}", "A", "InprocServer32", "C:\\a.dll");
    std::vector<std::string> steps;
    auto progress = [&steps](const char* text) { steps.push_back(text); };
    auto fill = [&]() {
        steps.push_back("<fill: " + std::to_string(catalogue.List(CategoryDllServers).size()) + ">");
    };
    catalogue.RefreshCatalogue(progress, fill);
    EXPECT_EQ((std::vector<std::string>{"Initializing Object Lists",
                                        "Searching the Registry for COM Objects",
                                        "Initializing the User Interface", "<fill: 1>", "Done."}),
              steps);
    AddServer("{b}", "B", "InprocServer32", "C:\\b.dll");
    catalogue.RefreshCatalogue(nullptr, nullptr);
    EXPECT_EQ((std::vector<std::string>{"{a}", "{b}"}), Clsids(CategoryDllServers));
    catalogue.ClearCatalogue();
    EXPECT_TRUE(catalogue.List(CategoryDllServers).empty());
}

TEST_F(ScanTest, CurrentListFollowsTheSelectedTab)
{
    AddServer("{a}", "A", "InprocServer32", "C:\\a.dll");
    catalogue.ScanRegistry();
    EXPECT_EQ(nullptr, catalogue.CurrentList(-1));
    EXPECT_EQ(nullptr, catalogue.CurrentList(3));
    ASSERT_NE(nullptr, catalogue.CurrentList(CategoryDllServers));
    EXPECT_EQ(1u, catalogue.CurrentList(CategoryDllServers)->size());
    EXPECT_EQ(&catalogue.List(CategoryControls), catalogue.CurrentList(CategoryControls));
    EXPECT_STREQ("Controls", kCategoryTabText[CategoryControls]);
    EXPECT_STREQ("DLL Servers", kCategoryTabText[CategoryDllServers]);
    EXPECT_STREQ("EXE Servers", kCategoryTabText[CategoryExeServers]);
}

TEST_F(ScanTest, RemovingTheSelectedRecordLeavesOtherListsAlone)
{
    AddServer("{a}", "A", "InprocServer32", "C:\\a.dll");
    AddClassKey(machine.registry, "{a}", "Control");
    AddServer("{b}", "B", "InprocServer32", "C:\\b.dll");
    AddClassKey(machine.registry, "{b}", "Control");
    catalogue.ScanRegistry();
    CComObject* control = catalogue.List(CategoryControls)[0].get();
    CComObject* dll = catalogue.List(CategoryDllServers)[0].get();

    EXPECT_FALSE(catalogue.RemoveSelectedRecord(CategoryControls, dll)) << "not in this list";
    EXPECT_FALSE(catalogue.RemoveSelectedRecord(-1, control));
    EXPECT_FALSE(catalogue.RemoveSelectedRecord(CategoryControls, nullptr));
    EXPECT_EQ(2u, catalogue.List(CategoryControls).size());

    EXPECT_TRUE(catalogue.RemoveSelectedRecord(CategoryControls, control));
    EXPECT_EQ((std::vector<std::string>{"{b}"}), Clsids(CategoryControls));
    EXPECT_EQ((std::vector<std::string>{"{a}", "{b}"}), Clsids(CategoryDllServers));
    EXPECT_EQ(dll, catalogue.List(CategoryDllServers)[0].get());
}

}  // namespace
}  // namespace orrery
