// Deleting registry trees: depth first, only the tree asked for, silently
// when the key is missing or refused at the top, and always to an end with
// one message when something below cannot go.
#include "orrery/maintenance/registry_tree.h"
#include "orrery/maintenance/tests/test_support.h"

#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

class RegistryTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry.SetString("Top\\A\\A1\\A11", "", "deep");
        registry.SetDword("Top\\A\\A2", "Number", 7);
        registry.AddKey("Top\\B");
        registry.SetString("Top", "", "top");
        registry.SetString("Topmost\\Other", "", "neighbour");
        registry.AddKey("Beside\\Top");
    }

    long Delete(const std::string& subkey) { return DeleteRegistryTree(registry, ui, kClassesRoot, subkey); }

    CMemoryRegistry registry;
    CRecordingUI ui;
};

TEST_F(RegistryTreeTest, DeletesTheKeyWithEverythingBelowItAndNothingElse)
{
    std::string neighbours = DumpRegistry(registry, "Topmost") + DumpRegistry(registry, "Beside");
    EXPECT_EQ(kRegSuccess, Delete("Top"));
    EXPECT_FALSE(registry.HasKey("Top"));
    EXPECT_EQ(neighbours, DumpRegistry(registry, "Topmost") + DumpRegistry(registry, "Beside"));
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(0u, registry.OpenKeyCount());
    // One deletion per key: every child went before its parent.
    EXPECT_EQ(6u, registry.Counts().deletes);
}

TEST_F(RegistryTreeTest, DeletesBelowAnOpenParent)
{
    RegKey beside = kNoKey;
    ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "Beside", &beside));
    EXPECT_EQ(kRegSuccess, DeleteRegistryTree(registry, ui, beside, "Top"));
    registry.CloseKey(beside);
    EXPECT_TRUE(registry.HasKey("Beside"));
    EXPECT_FALSE(registry.HasKey("Beside\\Top"));
    EXPECT_TRUE(registry.HasKey("Top\\A\\A1\\A11"));
}

TEST_F(RegistryTreeTest, AMissingOrRefusedKeyIsPassedOverWithoutAMessage)
{
    EXPECT_EQ(kRegFileNotFound, Delete("Nowhere"));
    registry.RefuseChanges("Top");
    std::string before = DumpRegistry(registry);
    EXPECT_EQ(kRegAccessDenied, Delete("Top"));
    EXPECT_EQ(before, DumpRegistry(registry));
    EXPECT_TRUE(ui.events.empty());
}

TEST_F(RegistryTreeTest, AChildThatCannotBeDeletedEndsTheWalkWithOneMessage)
{
    registry.RefuseChanges("Top\\A\\A1\\A11");
    EXPECT_EQ(kRegAccessDenied, Delete("Top"));
    EXPECT_EQ((std::vector<std::string>{"Failed while trying to delete registry key Top\\A\\A1\\A11"}),
              ui.Shown("error: "));
    EXPECT_TRUE(registry.HasKey("Top\\A\\A1\\A11"));
    EXPECT_TRUE(registry.HasKey("Top\\B"));
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST_F(RegistryTreeTest, AChildThatComesBackAtIndexZeroEndsTheWalk)
{
    // A name the registry lists again right after it was deleted, as a name
    // that cannot be opened would be listed for ever.
    registry.SetEnumKeyHook([this](unsigned long index) {
        if (index == 0)
            registry.AddKey("Top\\B\\Ghost");
    });
    EXPECT_NE(kRegSuccess, Delete("Top\\B"));
    EXPECT_EQ((std::vector<std::string>{"Failed while trying to delete registry key Top\\B\\Ghost"}),
              ui.Shown("error: "));
    EXPECT_LT(registry.Counts().keyEnums, 10u);
}

TEST_F(RegistryTreeTest, AKeyThatVanishesWhileItIsDeletedEndsQuietly)
{
    registry.SetEnumKeyHook([this](unsigned long) { registry.RemoveKey("Top"); });
    EXPECT_EQ(kRegFileNotFound, Delete("Top\\A"));
    EXPECT_FALSE(registry.HasKey("Top"));
    EXPECT_TRUE(ui.events.empty());
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST_F(RegistryTreeTest, AnEnumerationErrorStopsWithTheMessage)
{
    registry.AddKey("Top\\B\\" + std::string(70000, 'n'));
    EXPECT_EQ(kRegMoreData, Delete("Top"));
    EXPECT_EQ((std::vector<std::string>{"Failed while trying to delete registry key Top\\B"}), ui.Shown("error: "));
    EXPECT_TRUE(registry.HasKey("Top\\B"));
}

TEST_F(RegistryTreeTest, CanChangeTreeFindsTheFirstRefusedKeyAtAnyDepth)
{
    std::string refused;
    long result = kRegSuccess;
    EXPECT_TRUE(CanChangeTree(registry, "Top", &refused, &result));
    EXPECT_TRUE(CanChangeTree(registry, "Nowhere", &refused, &result));
    registry.RefuseChanges("Top\\A\\A2");
    EXPECT_FALSE(CanChangeTree(registry, "Top", &refused, &result));
    EXPECT_EQ("Top\\A\\A2", refused);
    EXPECT_EQ(kRegAccessDenied, result);
    EXPECT_TRUE(CanChangeTree(registry, "Top\\B", &refused, &result));
    EXPECT_EQ(0u, registry.OpenKeyCount());
    EXPECT_EQ(0u, registry.Counts().deletes);
}

}  // namespace
}  // namespace orrery
