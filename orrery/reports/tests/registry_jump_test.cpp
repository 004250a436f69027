#include "orrery/reports/registry_jump.h"

#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orrery {
namespace {

const char kClsid[] = "{0A0B0C0D-1111-2222-3333-444455556666}";

class RegistryJumpTest : public ::testing::Test {
protected:
    std::unique_ptr<CComObject> Record(const std::string& clsid = kClsid)
    {
        return std::unique_ptr<CComObject>(new CComObject(machine.Get(), clsid, "InprocServer32"));
    }

    // The keystrokes written out: ">" for an expansion, the character else.
    static std::string Typed(const std::string& path)
    {
        std::string typed;
        for (const CKeystroke& keystroke : KeystrokesForPath(path))
            typed += keystroke.expand ? '>' : keystroke.character;
        return typed;
    }

    CMemoryPlatform machine;
};

TEST_F(RegistryJumpTest, EachTargetNamesItsKeyBelowTheClassesRoot)
{
    std::string key = std::string("CLSID\\") + kClsid;
    machine.registry.SetString(key + "\\ProgID", "", "Orrery.Gauge.1");
    machine.registry.SetString(key + "\\TypeLib", "", "{7E57}");
    auto record = Record();
    EXPECT_EQ(std::string("HKEY_CLASSES_ROOT\\CLSID\\") + kClsid + "\\",
              RegistryJumpPath(JumpToClsid, *record));
    EXPECT_EQ("HKEY_CLASSES_ROOT\\Orrery.Gauge.1\\", RegistryJumpPath(JumpToProgId, *record));
    EXPECT_EQ("HKEY_CLASSES_ROOT\\TypeLib\\{7E57}\\", RegistryJumpPath(JumpToTypeLib, *record));
}

TEST_F(RegistryJumpTest, AClassWithoutProgIdOrTypeLibJumpsToWhatItsAttributesSay)
{
    auto record = Record();
    EXPECT_EQ("HKEY_CLASSES_ROOT\\Unknown\\", RegistryJumpPath(JumpToProgId, *record));
    EXPECT_EQ("HKEY_CLASSES_ROOT\\TypeLib\\\\", RegistryJumpPath(JumpToTypeLib, *record));
}

TEST_F(RegistryJumpTest, EveryBackslashExpandsAndEverythingElseIsTyped)
{
    EXPECT_EQ("HKEY_CLASSES_ROOT>CLSID>", Typed("HKEY_CLASSES_ROOT\\CLSID\\"));
    EXPECT_EQ("A b\"c>>", Typed("A b\"c\\\\"));
    EXPECT_EQ("", Typed(""));
    std::vector<CKeystroke> keystrokes = KeystrokesForPath("x\\");
    ASSERT_EQ(2u, keystrokes.size());
    EXPECT_FALSE(keystrokes[0].expand);
    EXPECT_EQ('x', keystrokes[0].character);
    EXPECT_TRUE(keystrokes[1].expand);
}

}  // namespace
}  // namespace orrery
