// The walk on the live machine under Wine: the fixture images in the build
// tree, mapped through the Win32 backend, with the system's own search.
#include "orrery/dependencies/collect_dependencies.h"

#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/platform/upper_case.h"
#include "orrery/platform/win32_platform.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace orrery {
namespace {

std::string SystemDirectory()
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    return system;
}

TEST(LiveDependencies, ChainOnDiskWithTheSystemSearch)
{
    CWin32Platform machine;
    CDependencyList list;
    ASSERT_TRUE(CollectDependencies(machine.Get(), FixturePath("chain/chain_a.dll"), list));
    ASSERT_GE(list.size(), 3u);
    EXPECT_EQ("KERNEL32.dll", list[0].GetDisplayName());
    EXPECT_EQ(UpperCase(SystemDirectory() + "\\KERNEL32.dll"), UpperCase(list[0].GetFilePath()));
    // Then what KERNEL32.dll imports, all of it in the system directory.
    std::size_t next = 1;
    for (; next < list.size() && list[next].GetDisplayName() != "chain_b.dll"; ++next) {
        EXPECT_TRUE(list[next].IsFound()) << list[next].GetDisplayName();
        EXPECT_EQ(0u, UpperCase(list[next].GetFilePath()).find(UpperCase(SystemDirectory())));
    }
    ASSERT_EQ(next + 2, list.size()) << "chain_b.dll and chain_c.dll come last";
    EXPECT_EQ(FixturePath("chain/chain_b.dll"), list[next].GetFilePath());
    EXPECT_EQ("chain_c.dll", list[next + 1].GetDisplayName());
    EXPECT_FALSE(list[next + 1].IsFound());
    EXPECT_EQ("", list[next + 1].GetFilePath());
}

TEST(LiveDependencies, PrivateCopyWinsOverTheSystemDll)
{
    CWin32Platform machine;
    CDependencyList list;
    ASSERT_TRUE(CollectDependencies(machine.Get(), FixturePath("shadow/shadow_user.dll"), list));
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ(FixturePath("shadow/version.dll"), list[0].GetFilePath());
    ASSERT_TRUE(machine.Get().files.FindFile(SystemDirectory() + "\\version.dll", nullptr))
        << "the system has a version.dll of its own";
}

TEST(LiveDependencies, WalkOfASystemDllReachesOnlySystemDlls)
{
    CWin32Platform machine;
    CDependencyList list;
    ASSERT_TRUE(CollectDependencies(machine.Get(), SystemDirectory() + "\\ole32.dll", list));
    EXPECT_GE(list.size(), 3u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].IsFound()) {
            EXPECT_EQ(0u, UpperCase(list[i].GetFilePath()).find(UpperCase(SystemDirectory())))
                << list[i].GetFilePath();
        }
    }
    EXPECT_FALSE(CollectDependencies(machine.Get(), SystemDirectory() + "\\no_such_file.dll", list));
    EXPECT_FALSE(CollectDependencies(machine.Get(), SystemDirectory(), list)) << "a directory cannot be mapped";
}

}  // namespace
}  // namespace orrery
