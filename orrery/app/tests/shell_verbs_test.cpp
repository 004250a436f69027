#include "orrery/app/shell_verbs.h"

#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using orrery::CMemoryRegistry;

class CSilentUI : public orrery::CMaintenanceUI {
public:
    void BeginWait() override {}
    void EndWait() override {}
    void ShowMessage(const std::string& text) override { shown.push_back("message: " + text); }
    void ShowError(const std::string& text) override { shown.push_back("error: " + text); }
    bool AskYesNo(const std::string& caption, const std::string&) override
    {
        shown.push_back("ask: " + caption);
        return false;
    }
    void ShowUnregistered(const std::string& name, const std::string&) override
    {
        shown.push_back("unregistered: " + name);
    }
    std::vector<std::string> shown;
};

CShellVerbTexts Texts()
{
    return {"ActiveX Control", "DLL Server", "Register", "Unregister", "Compare With...", "View", "Details"};
}

class ShellVerbsTest : public ::testing::Test {
protected:
    void Register(const std::string& directory = "C:\\Tools", const std::string& name = "orrery")
    {
        RegisterShellVerbs(registry, ui, Texts(), directory, name);
        EXPECT_EQ(0u, registry.OpenKeyCount()) << "every key is closed";
    }

    // The key's default value as a REG_SZ text with its terminating zero,
    // or a note of what is wrong with it.
    std::string DefaultText(const std::string& path)
    {
        unsigned long type = 0;
        std::string bytes;
        if (!registry.GetValue(path, "", &type, &bytes))
            return "<missing>";
        if (type != orrery::kRegSz)
            return "<type " + std::to_string(type) + ">";
        if (bytes.empty() || bytes.back() != '\0')
            return "<no terminating zero>";
        return bytes.substr(0, bytes.size() - 1);
    }

    void ExpectVerbs(const std::string& type, const std::string& typeText, const std::string& program)
    {
        EXPECT_EQ("R", DefaultText(type + "\\shell"));
        EXPECT_EQ("Register " + typeText, DefaultText(type + "\\shell\\R"));
        EXPECT_EQ("View " + typeText + " Details", DefaultText(type + "\\shell\\V"));
        EXPECT_EQ("Compare With...", DefaultText(type + "\\shell\\C"));
        EXPECT_EQ("Unregister " + typeText, DefaultText(type + "\\shell\\U"));
        for (const char* verb : {"R", "V", "C", "U"})
            EXPECT_EQ(program + " -" + verb + " %1", DefaultText(type + "\\shell\\" + verb + "\\command")) << verb;
    }

    CMemoryRegistry registry;
    CSilentUI ui;
};

TEST_F(ShellVerbsTest, OcxAndDllFilesGetTheFourVerbs)
{
    Register();
    EXPECT_EQ("ocxfile", DefaultText(".ocx"));
    ExpectVerbs("ocxfile", "ActiveX Control", "C:\\Tools\\orrery.exe");
    ExpectVerbs("dllfile", "DLL Server", "C:\\Tools\\orrery.exe");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ShellVerbsTest, OnlyOcxFilesGetTheProgramsIcon)
{
    Register();
    EXPECT_EQ("C:\\Tools\\orrery.exe", DefaultText("ocxfile\\DefaultIcon"));
    EXPECT_FALSE(registry.HasKey("dllfile\\DefaultIcon"));
    EXPECT_FALSE(registry.HasKey(".dll")) << ".dll keeps the type Windows gave it";
}

TEST_F(ShellVerbsTest, TheOldLongNamedVerbsGoAndOtherVerbsStay)
{
    for (const char* old : {"Register DLL Server", "View DLL Server Details", "Compare With...",
                            "Unregister DLL Server"}) {
        registry.SetString(std::string("dllfile\\shell\\") + old + "\\command", "", "C:\\Old\\orrery.exe");
        registry.SetString(std::string("dllfile\\shell\\") + old, "", old);
    }
    registry.SetString("dllfile\\shell\\open\\command", "", "notepad.exe %1");
    registry.SetString("ocxfile\\shell\\Register DLL Server", "", "not ours to delete");
    Register();
    for (const char* old : {"Register DLL Server", "View DLL Server Details", "Compare With...",
                            "Unregister DLL Server"})
        EXPECT_FALSE(registry.HasKey(std::string("dllfile\\shell\\") + old)) << old;
    EXPECT_EQ("notepad.exe %1", DefaultText("dllfile\\shell\\open\\command"));
    EXPECT_TRUE(registry.HasKey("ocxfile\\shell\\Register DLL Server"));
    ExpectVerbs("dllfile", "DLL Server", "C:\\Tools\\orrery.exe");
}

TEST_F(ShellVerbsTest, AStartFromAnotherFolderRepairsTheVerbs)
{
    Register("C:\\Old Place", "orrery");
    ExpectVerbs("dllfile", "DLL Server", "\"C:\\Old Place\\orrery.exe\"");
    Register("D:\\New", "orrery");
    ExpectVerbs("ocxfile", "ActiveX Control", "D:\\New\\orrery.exe");
    ExpectVerbs("dllfile", "DLL Server", "D:\\New\\orrery.exe");
    EXPECT_EQ("D:\\New\\orrery.exe", DefaultText("ocxfile\\DefaultIcon"));
}

TEST_F(ShellVerbsTest, AProgramInADrivesRootIsNamedFromTheDrive)
{
    Register("C:", "orrery");
    EXPECT_EQ("C:\\orrery.exe -R %1", DefaultText("ocxfile\\shell\\R\\command"));
    EXPECT_EQ("C:\\orrery.exe", DefaultText("ocxfile\\DefaultIcon"));
}

TEST_F(ShellVerbsTest, AProgramPathWithABlankIsQuotedInTheCommand)
{
    EXPECT_EQ("C:\\Tools\\orrery.exe -V %1", ShellVerbCommand("C:\\Tools", "orrery", "V"));
    EXPECT_EQ("\"C:\\Program Files\\Tarnwick\\orrery.exe\" -U %1",
              ShellVerbCommand("C:\\Program Files\\Tarnwick", "orrery", "U"));
    EXPECT_EQ("\"C:\\Tools\\my orrery.exe\" -C %1", ShellVerbCommand("C:\\Tools", "my orrery", "C"));
}

TEST_F(ShellVerbsTest, AUserWhoMayNotChangeTheRegistryChangesNothingAndIsNotTold)
{
    registry.SetString("dllfile\\shell\\Register DLL Server\\command", "", "C:\\Old\\orrery.exe");
    registry.RefuseChanges("");
    Register();
    EXPECT_FALSE(registry.HasKey(".ocx"));
    EXPECT_FALSE(registry.HasKey("ocxfile"));
    EXPECT_TRUE(registry.HasKey("dllfile\\shell\\Register DLL Server\\command"));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ShellVerbsTest, WhenOcxCannotBeMappedNothingElseIsWritten)
{
    registry.RefuseChanges(".ocx");
    Register();
    EXPECT_FALSE(registry.HasKey("ocxfile"));
    EXPECT_FALSE(registry.HasKey("dllfile"));
    EXPECT_EQ(0u, registry.Counts().deletes);
}

TEST_F(ShellVerbsTest, ARefusedKeyIsPassedOverAndTheRestIsWritten)
{
    registry.AddKey("dllfile");
    registry.SetString("dllfile\\shell\\Compare With...\\command", "", "C:\\Old\\orrery.exe");
    registry.RefuseChanges("dllfile");
    registry.RefuseChanges("ocxfile\\shell\\V");
    Register();
    EXPECT_EQ("Register ActiveX Control", DefaultText("ocxfile\\shell\\R"));
    EXPECT_EQ("<missing>", DefaultText("ocxfile\\shell\\V"));
    EXPECT_EQ("C:\\Tools\\orrery.exe -U %1", DefaultText("ocxfile\\shell\\U\\command"));
    EXPECT_EQ("C:\\Tools\\orrery.exe", DefaultText("ocxfile\\DefaultIcon"));
    EXPECT_FALSE(registry.HasKey("dllfile\\shell\\R"));
    EXPECT_TRUE(registry.HasKey("dllfile\\shell\\Compare With...\\command"));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(ShellVerbsTest, ARefusedCommandKeyLeavesItsVerbWithoutACommand)
{
    registry.RefuseChanges("ocxfile\\shell\\C\\command");
    Register();
    EXPECT_EQ("Compare With...", DefaultText("ocxfile\\shell\\C"));
    EXPECT_FALSE(registry.HasKey("ocxfile\\shell\\C\\command"));
    EXPECT_EQ("C:\\Tools\\orrery.exe -U %1", DefaultText("ocxfile\\shell\\U\\command"));
}

} // namespace
