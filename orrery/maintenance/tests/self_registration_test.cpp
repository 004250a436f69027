// Registering and unregistering server files and records through the module
// seam: the texts the user reads, what counts as success, and when the
// module is released.
#include "orrery/maintenance/maintenance.h"
#include "orrery/maintenance/self_registration.h"
#include "orrery/maintenance/tests/test_support.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_modules.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>

namespace orrery {
namespace {

const char kServer[] = "C:\\Program Files\\Tarnwick\\gauge.ocx";
const Hresult kSelfRegClass = static_cast<Hresult>(0x80040201u);
const Hresult kAccessDenied = static_cast<Hresult>(0x80070005u);

class SelfRegistrationTest : public ::testing::Test {
protected:
    void AddServer(const std::string& path, Hresult registerResult, Hresult unregisterResult)
    {
        CModuleFixture fixture;
        fixture.entryPoints["DllRegisterServer"] = [registerResult] { return registerResult; };
        fixture.entryPoints["DllUnregisterServer"] = [unregisterResult] { return unregisterResult; };
        modules.AddModule(path, fixture);
    }

    std::vector<std::string> Messages() const { return ui.Shown("message: "); }

    CMemoryModules modules;
    CRecordingUI ui;
};

TEST_F(SelfRegistrationTest, ARegisteredServerIsReportedAndReleasedAfterTheMessage)
{
    AddServer(kServer, 0, 0);
    EXPECT_TRUE(RegisterServerFile(modules, ui, kServer, true));
    EXPECT_EQ((std::vector<std::string>{"wait", "end wait",
                                        "message: C:\\Program Files\\Tarnwick\\gauge.ocx\n\nRegistered Successfully !"}),
              ui.events);
    EXPECT_EQ((std::vector<std::string>{"C:\\PROGRAM FILES\\TARNWICK\\GAUGE.OCX|DllRegisterServer"}),
              modules.CallLog());
    EXPECT_EQ(0u, modules.LoadedCount());
    EXPECT_EQ(1u, modules.ReleaseCount());
}

TEST_F(SelfRegistrationTest, ReleasingLaterHappensOnAnotherThread)
{
    AddServer(kServer, 1, 0);  // S_FALSE is a success code too
    EXPECT_TRUE(RegisterServerFile(modules, ui, kServer, false));
    EXPECT_TRUE(modules.WaitForReleases(1, 10000));
    EXPECT_EQ(0u, modules.LoadedCount());

    ModuleHandle module = modules.Load(kServer, nullptr);
    ReleaseLibraryLater(modules, module);
    EXPECT_TRUE(modules.WaitForReleases(2, 10000));
    EXPECT_EQ(0u, modules.LoadedCount());
}

TEST_F(SelfRegistrationTest, AFailingEntryPointIsAFailureWithItsCodeAndMeaning)
{
    AddServer(kServer, kSelfRegClass, kAccessDenied);
    modules.SetErrorText(0x80070005u, "Access is denied.");

    EXPECT_FALSE(RegisterServerFile(modules, ui, kServer, true));
    EXPECT_FALSE(UnregisterServerFile(modules, ui, kServer));
    ASSERT_EQ(2u, Messages().size());
    EXPECT_EQ("C:\\Program Files\\Tarnwick\\gauge.ocx\n\n"
              "DllRegisterServer failed with error 0x80040201.\n"
              "The server could not register all of its classes.",
              Messages()[0]);
    EXPECT_EQ("C:\\Program Files\\Tarnwick\\gauge.ocx\n\n"
              "DllUnregisterServer failed with error 0x80070005.\n"
              "Access is denied.\n\n"
              "Access denied: run Orrery as administrator to register or unregister servers.",
              Messages()[1]);
    EXPECT_EQ(0u, modules.LoadedCount());
}

TEST_F(SelfRegistrationTest, AnUnknownFailureCodeStillShowsItsNumber)
{
    AddServer(kServer, static_cast<Hresult>(0x8badf00du), 0);
    EXPECT_FALSE(RegisterServerFile(modules, ui, kServer, true));
    EXPECT_EQ("C:\\Program Files\\Tarnwick\\gauge.ocx\n\nDllRegisterServer failed with error 0x8BADF00D.",
              Messages().at(0));
}

TEST_F(SelfRegistrationTest, AServerThatCannotLoadSaysWhy)
{
    CModuleFixture broken;
    broken.loadError = 126;
    modules.AddModule("C:\\needs\\missing.dll", broken);
    modules.SetErrorText(126, "Module not found.");

    EXPECT_FALSE(RegisterServerFile(modules, ui, "C:\\needs\\missing.dll", false));
    EXPECT_FALSE(UnregisterServerFile(modules, ui, "C:\\not\\there.dll"));
    ASSERT_EQ(2u, Messages().size());
    EXPECT_EQ("Failed to load C:\\needs\\missing.dll in order to register it.\n\nModule not found. (error 126)",
              Messages()[0]);
    EXPECT_EQ("Failed to load C:\\not\\there.dll in order to unregister it.\n\nModule not found. (error 126)",
              Messages()[1]);
    EXPECT_EQ(0u, modules.LoadCount());
    EXPECT_EQ(0, ui.waiting);
}

// A module the system did not find is, more often than not, a DLL the
// server imports: the message names the missing ones when it knows them.
TEST_F(SelfRegistrationTest, AServerThatCannotLoadNamesTheDllsItMisses)
{
    CModuleFixture missingImport;
    missingImport.loadError = 126;
    modules.AddModule("C:\\needs\\missing.dll", missingImport);
    CModuleFixture badImage;
    badImage.loadError = 193;
    modules.AddModule("C:\\bad\\image.dll", badImage);
    modules.SetErrorText(126, "Module not found.");
    modules.SetErrorText(193, "Bad EXE format.");
    std::vector<std::string> asked;
    MissingDllReader reader = [&asked](const std::string& path) {
        asked.push_back(path);
        return path == "C:\\needs\\missing.dll" ? std::vector<std::string>{"absent.dll", "GONE.DLL"}
                                                  : std::vector<std::string>();
    };

    EXPECT_FALSE(RegisterServerFile(modules, ui, "C:\\needs\\missing.dll", true, reader));
    EXPECT_FALSE(UnregisterServerFile(modules, ui, "C:\\not\\there.dll", reader));
    EXPECT_FALSE(RegisterServerFile(modules, ui, "C:\\bad\\image.dll", true, reader));
    EXPECT_FALSE(UnregisterRecordServer(modules, ui, "C:\\needs\\missing.dll", "Needs.Missing", reader));
    ASSERT_EQ(4u, Messages().size());
    EXPECT_EQ("Failed to load C:\\needs\\missing.dll in order to register it.\n\nModule not found. (error 126)"
              "\n\nThese DLLs it needs were not found:\nabsent.dll\nGONE.DLL",
              Messages()[0]);
    EXPECT_EQ("Failed to load C:\\not\\there.dll in order to unregister it.\n\nModule not found. (error 126)",
              Messages()[1])
        << "nothing more is known of a file that is not there";
    EXPECT_EQ("Failed to load C:\\bad\\image.dll in order to register it.\n\nBad EXE format. (error 193)",
              Messages()[2]);
    EXPECT_EQ("Failed to load C:\\needs\\missing.dll in order to Unregister Needs.Missing\n\nModule not found. "
              "(error 126)\n\nThese DLLs it needs were not found:\nabsent.dll\nGONE.DLL",
              Messages()[3]);
    EXPECT_EQ((std::vector<std::string>{"C:\\needs\\missing.dll", "C:\\not\\there.dll", "C:\\needs\\missing.dll"}),
              asked)
        << "asked only when a module was not found";
}

TEST_F(SelfRegistrationTest, AServerWithoutEntryPointsIsNotRegisteredButReleased)
{
    modules.AddModule(kServer, CModuleFixture());
    EXPECT_FALSE(RegisterServerFile(modules, ui, kServer, true));
    EXPECT_FALSE(UnregisterServerFile(modules, ui, kServer));
    EXPECT_EQ((std::vector<std::string>{
                  "Failed to find 'DllRegisterServer' function in C:\\Program Files\\Tarnwick\\gauge.ocx",
                  "Failed to find 'DllUnregisterServer' function in C:\\Program Files\\Tarnwick\\gauge.ocx"}),
              Messages());
    EXPECT_EQ(2u, modules.ReleaseCount());
    EXPECT_TRUE(modules.CallLog().empty());
}

TEST_F(SelfRegistrationTest, ALoadFailureWithoutSystemTextGivesTheErrorNumber)
{
    std::string longPath = "C:\\" + std::string(300, 'x') + ".dll";
    CModuleFixture tooLong;
    tooLong.loadError = 206;
    modules.AddModule(longPath, tooLong);
    EXPECT_FALSE(RegisterServerFile(modules, ui, longPath, true));
    EXPECT_EQ("Failed to load " + longPath + " in order to register it.\n\nWindows (error 206).", Messages().at(0));
}

TEST_F(SelfRegistrationTest, UnregisteringARecordShowsTheUnregisteredDialogOnlyOnSuccess)
{
    AddServer("C:\\lib\\good.ocx", 0, 0);
    AddServer("C:\\lib\\refused.ocx", 0, kAccessDenied);
    modules.AddModule("C:\\lib\\plain.dll", CModuleFixture());

    EXPECT_TRUE(UnregisterRecordServer(modules, ui, "C:\\lib\\good.ocx", "Good.Control"));
    EXPECT_FALSE(UnregisterRecordServer(modules, ui, "C:\\lib\\refused.ocx", "Refused.Control"));
    EXPECT_FALSE(UnregisterRecordServer(modules, ui, "C:\\lib\\plain.dll", "Plain.Server"));
    EXPECT_FALSE(UnregisterRecordServer(modules, ui, "C:\\lib\\gone.ocx", "Gone.Control"));

    EXPECT_EQ((std::vector<std::string>{"Good.Control | C:\\lib\\good.ocx"}), ui.Shown("unregistered: "));
    ASSERT_EQ(3u, Messages().size());
    EXPECT_EQ("C:\\lib\\refused.ocx\n\nDllUnregisterServer failed with error 0x80070005.\n\n"
              "Access denied: run Orrery as administrator to register or unregister servers.\n\n"
              "Can't Unregister Refused.Control",
              Messages()[0]);
    EXPECT_EQ("Failed to find 'DllUnregisterServer' function in C:\\lib\\plain.dll\n\nCan't Unregister Plain.Server",
              Messages()[1]);
    EXPECT_EQ(0u, Messages()[2].find("Failed to load C:\\lib\\gone.ocx in order to Unregister Gone.Control\n\n"));
    // Every module that loaded is released, each on a worker thread.
    EXPECT_TRUE(modules.WaitForReleases(3, 10000));
    EXPECT_EQ(0u, modules.LoadedCount());
    EXPECT_EQ(0, ui.waiting);
}

TEST_F(SelfRegistrationTest, ARecordUnregistersThroughItsOwnServer)
{
    CMemoryPlatform machine;
    machine.registry.SetString("CLSID\\{C1}\\InprocServer32", "", "C:\\lib\\gauge.ocx");
    machine.registry.SetString("CLSID\\{C1}\\ProgID", "", "Orrery.Gauge.1");
    machine.registry.AddKey("CLSID\\{C1}\\Control");
    machine.files.AddFile("C:\\lib\\gauge.ocx", 100);
    CModuleFixture server;
    server.entryPoints["DllUnregisterServer"] = [&machine] {
        machine.registry.RemoveKey("CLSID\\{C1}");
        return Hresult(0);
    };
    modules.AddModule("C:\\lib\\gauge.ocx", server);
    CMemoryBackupFolder backups;
    CMaintenance maintenance(machine.registry, modules, backups, ui);

    CComControl control(machine.Get(), "{C1}");
    EXPECT_TRUE(control.Unregister(maintenance));
    EXPECT_FALSE(machine.registry.HasKey("CLSID\\{C1}"));
    EXPECT_EQ((std::vector<std::string>{"Orrery.Gauge.1 | C:\\lib\\gauge.ocx"}), ui.Shown("unregistered: "));
    EXPECT_TRUE(modules.WaitForReleases(1, 10000));
}

TEST(HresultHex, WritesEightUpperCaseDigits)
{
    EXPECT_EQ("0x80040201", HresultHex(static_cast<Hresult>(0x80040201u)));
    EXPECT_EQ("0x00000001", HresultHex(1));
    EXPECT_EQ("0x8000FFFF", HresultHex(static_cast<Hresult>(0x8000ffffu)));
}

}  // namespace
}  // namespace orrery
