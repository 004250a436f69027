// The key guard is what keeps every return path of the catalogue, the
// maintenance operations and the shell verbs from leaving keys open.
#include "orrery/platform/key_guard.h"

#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

#include <utility>

namespace orrery {
namespace {

class KeyGuardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        registry.AddKey("CLSID\\{A}");
        registry.AddKey("TypeLib");
    }

    CMemoryRegistry registry;
};

TEST_F(KeyGuardTest, ClosesItsKeyWhenItGoesOutOfScopeOrOpensAnother)
{
    {
        CKeyGuard key(registry);
        ASSERT_EQ(kRegSuccess, key.Open(kClassesRoot, "CLSID"));
        EXPECT_TRUE(key.IsOpen());
        EXPECT_EQ(1u, registry.OpenKeyCount());
        ASSERT_EQ(kRegSuccess, key.Open(kClassesRoot, "TypeLib"));
        EXPECT_EQ(1u, registry.OpenKeyCount()) << "the first key is closed before the second is opened";
        CKeyGuard child(registry);
        ASSERT_EQ(kRegSuccess, registry.OpenKey(kClassesRoot, "CLSID", child.Receive()));
        EXPECT_EQ(2u, registry.OpenKeyCount());
    }
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST_F(KeyGuardTest, FailedOpenHoldsNothingAndRootIsNeverClosed)
{
    CKeyGuard key(registry);
    ASSERT_EQ(kRegSuccess, key.Open(kClassesRoot, "CLSID"));
    EXPECT_EQ(kRegFileNotFound, key.Open(kClassesRoot, "Missing"));
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(0u, registry.OpenKeyCount());

    unsigned long closes = registry.Counts().closes;
    *key.Receive() = kClassesRoot;
    key.Close();
    EXPECT_EQ(closes, registry.Counts().closes) << "HKEY_CLASSES_ROOT stays open";
}

TEST_F(KeyGuardTest, MovedOrReleasedKeysAreClosedOnceByTheirNewOwner)
{
    CKeyGuard first(registry);
    ASSERT_EQ(kRegSuccess, first.Create(kClassesRoot, "CLSID\\{B}"));
    CKeyGuard second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.IsOpen());
    CKeyGuard third(registry);
    ASSERT_EQ(kRegSuccess, third.OpenToChange(kClassesRoot, "TypeLib"));
    third = std::move(second);
    EXPECT_EQ(1u, registry.OpenKeyCount()) << "the key third held was closed when it took second's";

    RegKey released = third.Release();
    third.Close();
    EXPECT_EQ(1u, registry.OpenKeyCount());
    EXPECT_EQ(kRegSuccess, registry.CloseKey(released));
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

}  // namespace
}  // namespace orrery
