// Removing a class from the registry: which keys go, the report, the AppID
// question, the backup that undoes it, and a user who may not change the
// machine's classes.
#include "orrery/maintenance/maintenance.h"
#include "orrery/maintenance/removal.h"
#include "orrery/maintenance/tests/test_support.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_modules.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

const char kGauge[] = "{11111111-2222-3333-4444-555555555555}";
const char kGaugeLib[] = "{AAAAAAAA-0000-0000-0000-000000000001}";
const char kServer[] = "{EEEEEEEE-0000-0000-0000-000000000002}";
const char kServerApp[] = "{AB000000-0000-0000-0000-000000000003}";
const char kOther[] = "{99999999-0000-0000-0000-000000000004}";
const char kOtherLib[] = "{AAAAAAAA-0000-0000-0000-000000000005}";

std::string ClassKey(const std::string& clsid)
{
    return "CLSID\\" + clsid;
}

// A machine with a control, an EXE server with an AppID, another class with
// its own library, and the shared keys every machine has.
void AddClasses(CMemoryPlatform& machine)
{
    CMemoryRegistry& registry = machine.registry;
    registry.SetString(ClassKey(kGauge), "", "Gauge Control");
    registry.SetString(ClassKey(kGauge) + "\\InprocServer32", "", "C:\\lib\\gauge.ocx");
    registry.SetString(ClassKey(kGauge) + "\\InprocServer32", "ThreadingModel", "Apartment");
    registry.SetString(ClassKey(kGauge) + "\\ProgID", "", "Orrery.Gauge.1");
    registry.SetString(ClassKey(kGauge) + "\\TypeLib", "", kGaugeLib);
    registry.SetString(ClassKey(kGauge) + "\\Version", "", "1.0");
    registry.AddKey(ClassKey(kGauge) + "\\Control");
    registry.SetString("Orrery.Gauge.1", "", "Gauge Control");
    registry.SetString("Orrery.Gauge.1\\CLSID", "", kGauge);
    registry.SetString(std::string("TypeLib\\") + kGaugeLib + "\\1.0", "", "Gauge Library");
    registry.SetString(std::string("TypeLib\\") + kGaugeLib + "\\1.0\\0\\win32", "", "C:\\lib\\gauge.ocx");
    machine.files.AddFile("C:\\lib\\gauge.ocx", 100);

    registry.SetString(ClassKey(kServer), "", "Orrery Server Application");
    registry.SetString(ClassKey(kServer), "AppID", kServerApp);
    registry.SetString(ClassKey(kServer) + "\\LocalServer32", "", "C:\\apps\\server.exe /automation");
    registry.SetString(ClassKey(kServer) + "\\ProgID", "", "Orrery.Server.1");
    registry.SetString("Orrery.Server.1\\CLSID", "", kServer);
    registry.SetString(std::string("AppID\\") + kServerApp, "", "Orrery Server");
    registry.SetString(std::string("AppID\\") + kServerApp, "RunAs", "Interactive User");

    registry.SetString(ClassKey(kOther) + "\\InprocServer32", "", "C:\\lib\\other.dll");
    registry.SetString(ClassKey(kOther) + "\\ProgID", "", "Other.Thing");
    registry.SetString(ClassKey(kOther) + "\\TypeLib", "", kOtherLib);
    registry.SetString("Other.Thing\\CLSID", "", kOther);
    registry.SetString(std::string("TypeLib\\") + kOtherLib + "\\2.0", "", "Other Library");

    registry.SetString("Interface\\{00000000-0000-0000-C000-000000000046}", "", "IUnknown");
    registry.SetString(".ocx", "", "ocxfile");
    registry.AddKey("*\\shellex");
    registry.AddKey("Lonely.Name\\CurVer");
}

class RemovalTest : public ::testing::Test {
protected:
    RemovalTest() : maintenance(machine.registry, modules, backups, ui)
    {
        AddClasses(machine);
        AddClasses(expected);
    }

    // Removes the control's class as the Remove command does.
    bool RemoveGauge()
    {
        CComControl gauge(machine.Get(), kGauge);
        return gauge.RemoveFromRegistry(maintenance, &report);
    }

    bool RemoveServer()
    {
        CExeServer server(machine.Get(), kServer);
        return server.RemoveFromRegistry(maintenance, &report);
    }

    // The machine as it should be: the classes as they were set up, less the
    // keys given.
    std::string ExpectedWithout(const std::vector<std::string>& removed)
    {
        for (const std::string& key : removed)
            EXPECT_TRUE(expected.registry.RemoveKey(key)) << key;
        return SortedDump(expected.registry);
    }

    std::vector<std::string> Messages() const { return ui.Shown("message: "); }
    std::string OnlyBackupPath() const
    {
        EXPECT_EQ(1u, backups.Files().size());
        return backups.Files().empty() ? std::string() : backups.Files().begin()->first;
    }

    CMemoryPlatform machine;
    CMemoryPlatform expected;
    CMemoryModules modules;
    CMemoryBackupFolder backups;
    CRecordingUI ui;
    CMaintenance maintenance;
    std::string report;
};

TEST_F(RemovalTest, RemovesTheClassKeysAndReportsThemInOrderWithTheBackup)
{
    EXPECT_TRUE(RemoveGauge());
    std::string backup = backups.Location() + "\\Orrery.Gauge.1-20240309-140507.reg";
    std::string keys = std::string("------------------------------------------\n"
                                   "ProgID: Orrery.Gauge.1\n"
                                   "TypeLib: ") + kGaugeLib + "\nCLSID: " + kGauge + "\n"
                       "\nBackup of these keys (open it to restore them):\n" + backup + "\n";
    EXPECT_EQ(keys, report);
    EXPECT_EQ((std::vector<std::string>{"Orrery.Gauge.1 was successfully removed from the Registry.\n\n"
                                        "The following keys were deleted:\n" + keys}),
              Messages());
    EXPECT_EQ(backup, OnlyBackupPath());
    EXPECT_EQ(ExpectedWithout({"Orrery.Gauge.1", std::string("TypeLib\\") + kGaugeLib, ClassKey(kGauge)}),
              SortedDump(machine.registry));
    EXPECT_TRUE(ui.Shown("ask: ").empty());
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(RemovalTest, TheBackupRestoresEveryKeyThatWasDeleted)
{
    std::string before = SortedDump(machine.registry);
    ui.answers = {true};
    EXPECT_TRUE(RemoveServer());
    EXPECT_FALSE(machine.registry.HasKey(std::string("AppID\\") + kServerApp));
    std::string error;
    ASSERT_TRUE(ImportRegFile(machine.registry, backups.Files().at(OnlyBackupPath()), &error)) << error;
    EXPECT_EQ(before, SortedDump(machine.registry));

    ASSERT_TRUE(RemoveGauge());
    ASSERT_EQ(2u, backups.Files().size());
    for (const auto& file : backups.Files())
        ASSERT_TRUE(ImportRegFile(machine.registry, file.second, &error)) << error;
    EXPECT_EQ(before, SortedDump(machine.registry));
}

TEST_F(RemovalTest, AClassWithoutProgIdHasNoProgIdLine)
{
    machine.registry.SetString(ClassKey(kGauge) + "\\ProgID", "", "");
    EXPECT_TRUE(RemoveGauge());
    EXPECT_EQ(0u, report.find(std::string("------------------------------------------\nTypeLib: ") + kGaugeLib +
                              "\nCLSID: " + kGauge + "\n"));
    // The ProgID key that named the class is not touched: the class no longer names it.
    EXPECT_TRUE(machine.registry.HasKey("Orrery.Gauge.1\\CLSID"));
    // The backup is named after the class.
    EXPECT_EQ(backups.Location() + "\\" + kGauge + "-20240309-140507.reg", OnlyBackupPath());
}

TEST_F(RemovalTest, WithoutConfirmationNothingIsShownAfterASuccess)
{
    maintenance.SetConfirmRemove(false);
    EXPECT_TRUE(RemoveGauge());
    EXPECT_TRUE(ui.events.empty());
    EXPECT_FALSE(machine.registry.HasKey(ClassKey(kGauge)));
    EXPECT_EQ(1u, backups.Files().size());
}

// A name a class gives for its ProgID or type library, and what the report
// notes of it.
struct HostileName {
    const char* value;
    const char* note;
};

class HostileNameTest : public RemovalTest, public ::testing::WithParamInterface<HostileName> {
protected:
    // Gives the gauge's class (on the machine and in the expected registry)
    // the name under subkey, removes the gauge and returns the report's lines
    // of keys.
    std::string RemoveNaming(const char* subkey)
    {
        machine.registry.SetString(ClassKey(kGauge) + "\\" + subkey, "", GetParam().value);
        expected.registry.SetString(ClassKey(kGauge) + "\\" + subkey, "", GetParam().value);
        EXPECT_TRUE(RemoveGauge());
        return report.substr(0, report.find("\nBackup"));
    }
    // The name with its note, as its report line shows them.
    static std::string Noted() { return std::string(GetParam().value) + " (" + GetParam().note + ")"; }
};

class HostileProgIdTest : public HostileNameTest {};

TEST_P(HostileProgIdTest, NeverDeletesAKeyOutsideTheClass)
{
    EXPECT_EQ("------------------------------------------\nProgID: " + Noted() + "\nTypeLib: " + kGaugeLib +
                  "\nCLSID: " + kGauge + "\n",
              RemoveNaming("ProgID"));
    EXPECT_EQ(ExpectedWithout({std::string("TypeLib\\") + kGaugeLib, ClassKey(kGauge)}), SortedDump(machine.registry));
    EXPECT_EQ(0u, Messages().at(0).find(std::string(GetParam().value) +
                                        " was successfully removed from the Registry.\n\n"
                                        "The following keys were deleted, except where noted:\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileProgIdTest,
    ::testing::Values(HostileName{"CLSID", "kept: it names a key shared by the whole machine"},
                      HostileName{"interface", "kept: it names a key shared by the whole machine"},
                      HostileName{"TypeLib", "kept: it names a key shared by the whole machine"},
                      HostileName{"AppID", "kept: it names a key shared by the whole machine"},
                      HostileName{"*", "kept: it names a key shared by the whole machine"},
                      HostileName{".ocx", "kept: it names a file extension"},
                      HostileName{"   ", "kept: it is blank"},
                      HostileName{"CLSID\\{99999999-0000-0000-0000-000000000004}", "kept: it is not a plain key name"},
                      HostileName{"Orrery.Gauge.1\\CLSID", "kept: it is not a plain key name"},
                      HostileName{"Other.Thing", "kept: it belongs to another class"},
                      HostileName{"Lonely.Name", "kept: it does not name this class"},
                      HostileName{"Never.Registered", "not found"}));

class HostileTypeLibTest : public HostileNameTest {};

TEST_P(HostileTypeLibTest, NeverDeletesALibraryThatIsNotTheClassesAlone)
{
    EXPECT_EQ("------------------------------------------\nProgID: Orrery.Gauge.1\nTypeLib: " + Noted() +
                  "\nCLSID: " + kGauge + "\n",
              RemoveNaming("TypeLib"));
    EXPECT_EQ(ExpectedWithout({"Orrery.Gauge.1", ClassKey(kGauge)}), SortedDump(machine.registry));
}

INSTANTIATE_TEST_SUITE_P(
    Values, HostileTypeLibTest,
    ::testing::Values(
        HostileName{"{AAAAAAAA-0000-0000-0000-000000000005}",
                    "kept: class {99999999-0000-0000-0000-000000000004} uses it too"},
        HostileName{"Interface", "kept: it is not a type library identifier in braces"},
        HostileName{"..", "kept: it is not a type library identifier in braces"},
        HostileName{"{AAAAAAAA-0000-0000-0000-000000000001}\\1.0",
                    "kept: it is not a type library identifier in braces"},
        HostileName{"{AAAAAAAA-0000-0000-0000-00000000000F}", "not found"}));

TEST_F(RemovalTest, AClassKeyThatIsNotAGuidStaysAndSoDoesTheRecord)
{
    machine.registry.SetString("CLSID\\Gauge\\ProgID", "", "Odd.Gauge");
    machine.registry.SetString("CLSID\\Gauge\\InprocServer32", "", "C:\\lib\\odd.ocx");
    machine.registry.SetString("Odd.Gauge\\CLSID", "", "Gauge");
    CComControl odd(machine.Get(), "Gauge");
    EXPECT_FALSE(odd.RemoveFromRegistry(maintenance, &report));
    EXPECT_TRUE(machine.registry.HasKey("CLSID\\Gauge"));
    EXPECT_EQ(0u, Messages().at(0).find("Odd.Gauge could not be removed from the Registry.\n\n"
                                        "The following keys were deleted, except where noted:\n"
                                        "------------------------------------------\n"
                                        "ProgID: Odd.Gauge\n"
                                        "CLSID: Gauge (kept: it is not a class identifier in braces)\n"));
}

TEST_F(RemovalTest, AnAppIdIsRemovedOnlyWhenTheUserSaysYes)
{
    EXPECT_TRUE(RemoveServer());
    EXPECT_EQ((std::vector<std::string>{"Confirm AppID Delete: Orrery Server Application has an AppID registry key "
                                        "defined.\nThis key could be shared by other objects.\n\n"
                                        "Would you like to remove it?"}),
              ui.Shown("ask: "));
    EXPECT_EQ(std::string("------------------------------------------\nProgID: Orrery.Server.1\nCLSID: ") + kServer +
                  "\nAppID: " + kServerApp + " (kept: you chose to keep it)\n",
              report.substr(0, report.find("\nBackup")));
    EXPECT_EQ(ExpectedWithout({"Orrery.Server.1", ClassKey(kServer)}), SortedDump(machine.registry));
    // The backup holds only what was deleted.
    EXPECT_EQ(std::string::npos, backups.Files().begin()->second.find("RunAs"));
}

TEST_F(RemovalTest, AnAppIdRemovedOnYesIsInTheReportAndTheBackup)
{
    ui.answers = {true};
    EXPECT_TRUE(RemoveServer());
    EXPECT_EQ(std::string("------------------------------------------\nProgID: Orrery.Server.1\nCLSID: ") + kServer +
                  "\nAppID: " + kServerApp + "\n",
              report.substr(0, report.find("\nBackup")));
    EXPECT_EQ(ExpectedWithout({"Orrery.Server.1", ClassKey(kServer), std::string("AppID\\") + kServerApp}),
              SortedDump(machine.registry));
    EXPECT_NE(std::string::npos, backups.Files().begin()->second.find("\"RunAs\"=\"Interactive User\""));
}

TEST_F(RemovalTest, AnAppIdThatIsNotAGuidIsKeptWithoutAQuestion)
{
    machine.registry.SetString(ClassKey(kServer), "AppID", "CLSID");
    EXPECT_TRUE(RemoveServer());
    EXPECT_TRUE(ui.Shown("ask: ").empty());
    EXPECT_NE(std::string::npos, report.find("AppID: CLSID (kept: it is not an AppID in braces)\n"));
    EXPECT_TRUE(machine.registry.HasKey(std::string("CLSID\\") + kGauge));
}

TEST_F(RemovalTest, AUserWhoMayNotChangeTheClassesIsToldAndNothingIsDeleted)
{
    machine.registry.RefuseChanges("");
    std::string before = SortedDump(machine.registry);
    ui.answers = {true};
    EXPECT_FALSE(RemoveServer());
    EXPECT_EQ(before, SortedDump(machine.registry));
    EXPECT_TRUE(backups.Files().empty());
    EXPECT_TRUE(ui.Shown("ask: ").empty());
    EXPECT_EQ((std::vector<std::string>{"Access denied: run Orrery as administrator to change HKEY_CLASSES_ROOT\\"
                                        "Orrery.Server.1.\n\nOrrery Server Application was not removed from the "
                                        "Registry; nothing was deleted.\n\n" + report}),
              Messages());
    EXPECT_EQ(std::string("------------------------------------------\n"
                          "ProgID: Orrery.Server.1 (not deleted: access denied)\n"
                          "CLSID: ") + kServer + " (not deleted: access denied)\n",
              report);
}

TEST_F(RemovalTest, ARefusedKeyDeepInTheClassStopsTheWholeRemoval)
{
    machine.registry.RefuseChanges(ClassKey(kGauge) + "\\InprocServer32");
    std::string before = SortedDump(machine.registry);
    EXPECT_FALSE(RemoveGauge());
    EXPECT_EQ(before, SortedDump(machine.registry));
    EXPECT_EQ(0u, Messages().at(0).find(std::string("Access denied: run Orrery as administrator to change "
                                                    "HKEY_CLASSES_ROOT\\CLSID\\") + kGauge + "\\InprocServer32.\n\n"));
}

TEST_F(RemovalTest, ARefusedAppIdIsReportedAndTheRestGoes)
{
    machine.registry.RefuseChanges(std::string("AppID\\") + kServerApp);
    ui.answers = {true};
    EXPECT_TRUE(RemoveServer());
    EXPECT_NE(std::string::npos, report.find(std::string("AppID: ") + kServerApp + " (not deleted: access denied)\n"));
    EXPECT_EQ(ExpectedWithout({"Orrery.Server.1", ClassKey(kServer)}), SortedDump(machine.registry));
}

TEST_F(RemovalTest, WithoutABackupNothingIsDeleted)
{
    backups.FailWrites("There is not enough space on the disk.");
    std::string before = SortedDump(machine.registry);
    EXPECT_FALSE(RemoveGauge());
    EXPECT_EQ(before, SortedDump(machine.registry));
    EXPECT_EQ((std::vector<std::string>{"Nothing was removed from the Registry: the keys of Orrery.Gauge.1 could not "
                                        "be saved to a backup file first.\n\nThere is not enough space on the disk."
                                        "\n\nBackups are kept in " + backups.Location()}),
              Messages());
}

TEST_F(RemovalTest, AKeyThatCouldNotBeDeletedIsReportedAsStillThere)
{
    // Access is withdrawn after the check, while the keys are being deleted.
    machine.registry.SetEnumKeyHook([this](unsigned long) {
        if (machine.registry.Counts().deletes > 0)
            machine.registry.RefuseChanges(ClassKey(kGauge));
    });
    EXPECT_FALSE(RemoveGauge());
    EXPECT_TRUE(machine.registry.HasKey(ClassKey(kGauge)));
    EXPECT_FALSE(machine.registry.HasKey("Orrery.Gauge.1"));
    EXPECT_EQ(std::string("------------------------------------------\nProgID: Orrery.Gauge.1\nTypeLib: ") + kGaugeLib +
                  "\nCLSID: " + kGauge + " (not deleted: access denied)\n",
              report.substr(0, report.find("\nBackup")));
    ASSERT_EQ(1u, Messages().size());
    EXPECT_EQ(0u, Messages()[0].find("Orrery.Gauge.1 could not be removed from the Registry.\n\n"));
}

TEST_F(RemovalTest, AClassKeyAlreadyGoneCountsAsRemoved)
{
    CComControl gauge(machine.Get(), kGauge);
    machine.registry.RemoveKey(ClassKey(kGauge) + "\\Control");
    machine.registry.SetEnumKeyHook([this](unsigned long) { machine.registry.RemoveKey(ClassKey(kGauge)); });
    EXPECT_TRUE(gauge.RemoveFromRegistry(maintenance, &report));
    EXPECT_FALSE(machine.registry.HasKey(ClassKey(kGauge)));
    EXPECT_TRUE(ui.Shown("error: ").empty());
}

TEST_F(RemovalTest, TheRemovalQuestionGivesAdviceByCategory)
{
    CComControl gauge(machine.Get(), kGauge);
    CExeServer server(machine.Get(), kServer);
    ui.answers = {true, false};
    EXPECT_TRUE(maintenance.ConfirmRemoval(gauge, false));
    EXPECT_FALSE(maintenance.ConfirmRemoval(server, true));
    EXPECT_EQ((std::vector<std::string>{
                  "Confirm Registry Removal: Orrery.Gauge.1 is properly registered.\nIt is recommended that you "
                  "unregister it instead (Use the unregister button in the toolbar).\n\nWould you like to delete it "
                  "from the registry anyway?",
                  "Confirm Registry Removal: Orrery Server Application is properly registered.\nIt is recommended "
                  "that you uninstall the software via the vendors' uninstall program.\n\nWould you like to delete "
                  "it from the registry anyway?"}),
              ui.Shown("ask: "));
}

}  // namespace
}  // namespace orrery
