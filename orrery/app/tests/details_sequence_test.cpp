#include "orrery/app/details_sequence.h"

#include "orrery/maintenance/tests/test_support.h"
#include "orrery/platform/memory_backup_folder.h"
#include "orrery/platform/memory_modules.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orrery::CComObject;

const char kOcx[] = "C:\\Program Files\\Tarnwick\\gauge.ocx";
const char kOcxAsGiven[] = "C:\\PROGRAM FILES\\TARNWICK\\GAUGE.OCX";

// Records the windows the operation opens, in order with the maintenance
// messages (both write to the same list).
class RecordingWindows : public CDetailsWindows {
public:
    explicit RecordingWindows(std::vector<std::string>& events) : m_events(events) {}
    void ShowSearchWait() override { m_events.push_back("search wait"); }
    void HideSearchWait() override { m_events.push_back("search done"); }
    void ShowDetails(CComObject& record) override
    {
        m_events.push_back("details: " + record.GetClsid() + " " + record.GetProgID());
    }

private:
    std::vector<std::string>& m_events;
};

class DetailsSequenceTest : public ::testing::Test {
protected:
    DetailsSequenceTest() : maintenance(machine.registry, modules, backups, ui), windows(ui.events) {}

    void RegisterClass(const std::string& clsid, const std::string& progId, const std::string& server)
    {
        machine.registry.SetString("CLSID\\" + clsid + "\\InprocServer32", "", server);
        machine.registry.SetString("CLSID\\" + clsid + "\\ProgID", "", progId);
        machine.registry.AddKey("CLSID\\" + clsid + "\\Control");
    }

    // A server file whose DllRegisterServer registers clsid (none: registers
    // nothing).
    void AddServer(const std::string& path, const std::string& clsid)
    {
        machine.files.AddFile(path, 4096);
        orrery::CModuleFixture fixture;
        fixture.entryPoints["DllRegisterServer"] = [this, path, clsid] {
            if (!clsid.empty())
                RegisterClass(clsid, "Tarnwick.Gauge.1", path);
            return orrery::Hresult(0);
        };
        modules.AddModule(path, fixture);
    }

    bool Run(const std::string& path) { return RunDetailsSequence(machine.Get(), maintenance, ui, windows, path); }

    std::vector<std::string> Events(const std::string& prefix) const { return ui.Shown(prefix); }
    // What the user saw: questions, messages and details windows, in order.
    std::vector<std::string> Shown() const
    {
        std::vector<std::string> shown;
        for (const std::string& event : ui.events) {
            if (event != "wait" && event != "end wait" && event != "search wait" && event != "search done")
                shown.push_back(event);
        }
        return shown;
    }

    std::string Question(const std::string& path) const
    {
        return std::string("Confirm Registeration: The control located in: ") + path +
               "\nDoes not seem to be registered.\n\nWould you like to register it now?";
    }

    orrery::CMemoryPlatform machine;
    orrery::CMemoryModules modules;
    orrery::CMemoryBackupFolder backups;
    orrery::CRecordingUI ui;
    orrery::CMaintenance maintenance;
    RecordingWindows windows;
};

TEST_F(DetailsSequenceTest, ARegisteredFileShowsItsDetailsAtOnce)
{
    AddServer(kOcx, "");
    RegisterClass("{G1}", "Tarnwick.Gauge.1", kOcx);
    EXPECT_TRUE(Run(kOcxAsGiven)) << "the command line gives the path upper-cased";
    EXPECT_EQ((std::vector<std::string>{"search wait", "search done", "details: {G1} Tarnwick.Gauge.1"}),
              ui.events);
    EXPECT_EQ(0u, modules.LoadCount());
    EXPECT_EQ(0u, machine.registry.OpenKeyCount());
}

TEST_F(DetailsSequenceTest, AClassWhoseFileIsMissingStillShowsItsDetails)
{
    RegisterClass("{G1}", "Tarnwick.Gauge.1", kOcx);
    EXPECT_TRUE(Run(kOcxAsGiven));
    EXPECT_EQ((std::vector<std::string>{"{G1} Tarnwick.Gauge.1"}), Events("details: "));
    EXPECT_TRUE(Events("ask: ").empty());
}

TEST_F(DetailsSequenceTest, AnUnregisteredFileIsOfferedForRegistration)
{
    AddServer(kOcx, "{G1}");
    EXPECT_FALSE(Run(kOcxAsGiven));
    EXPECT_EQ((std::vector<std::string>{Question(kOcxAsGiven)}), Events("ask: "));
    EXPECT_TRUE(Events("details: ").empty()) << "answered No: nothing more";
    EXPECT_TRUE(Events("message: ").empty());
    EXPECT_EQ(0u, modules.LoadCount());

    ui.events.clear();
    ui.answers = {true};
    EXPECT_TRUE(Run(kOcxAsGiven));
    std::vector<std::string> shown = Shown();
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ("ask: " + Question(kOcxAsGiven), shown[0]);
    EXPECT_EQ(std::string("message: ") + kOcxAsGiven + "\n\nRegistered Successfully !", shown[1]);
    EXPECT_EQ("details: {G1} Tarnwick.Gauge.1", shown[2]);
    EXPECT_EQ(1u, modules.ReleaseCount()) << "released at once";
}

TEST_F(DetailsSequenceTest, ARegistrationThatLeavesNoClassIsTold)
{
    const std::string plain = "C:\\Tarnwick\\plain.dll";
    machine.files.AddFile(plain, 10);
    modules.AddModule(plain, orrery::CModuleFixture());
    AddServer(kOcx, "");
    ui.answers = {true, true};
    const std::string notLocated =
        "\n\nCould not be located in the registry. Unable to display control details.";

    EXPECT_FALSE(Run(kOcx));
    std::vector<std::string> messages = Events("message: ");
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ(std::string(kOcx) + "\n\nRegistered Successfully !", messages[0]);
    EXPECT_EQ(std::string("The control located in: ") + kOcx + notLocated, messages[1]);

    ui.events.clear();
    EXPECT_FALSE(Run(plain));
    messages = Events("message: ");
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Failed to find 'DllRegisterServer' function in " + plain, messages[0]);
    EXPECT_EQ("The control located in: " + plain + notLocated, messages[1]);
    EXPECT_TRUE(Events("details: ").empty());
}

TEST_F(DetailsSequenceTest, AFileThatDoesNotExistIsToldAsMissingWithoutAnOffer)
{
    EXPECT_FALSE(Run("C:\\NOWHERE\\GONE.OCX"));
    EXPECT_TRUE(Events("ask: ").empty());
    EXPECT_EQ((std::vector<std::string>{
                  "The control located in: C:\\NOWHERE\\GONE.OCX\n\nDoes not exist. Unable to display control details."}),
              Events("message: "));
    EXPECT_EQ(0u, modules.LoadCount());
    EXPECT_FALSE(Run(""));
    EXPECT_EQ(2u, Events("message: ").size());
}

TEST_F(DetailsSequenceTest, APathInQuotesIsTheFileInside)
{
    AddServer(kOcx, "{G1}");
    ui.answers = {true};
    EXPECT_TRUE(Run(std::string("\"") + kOcxAsGiven + "\""));
    EXPECT_EQ((std::vector<std::string>{"ask: " + Question(kOcxAsGiven),
                                        std::string("message: ") + kOcxAsGiven + "\n\nRegistered Successfully !",
                                        "details: {G1} Tarnwick.Gauge.1"}),
              Shown());
}

} // namespace
