#include "orrery/platform/memory_files.h"
#include "orrery/platform/memory_version.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace orrery {
namespace {

TEST(MemoryFiles, FindsWholePathsIgnoringCaseAndNeverByWildcard)
{
    CMemoryFileSystem files;
    CFileEntry added;
    added.shortName = "LONGNA~1.DLL";
    added.size = 1234;
    files.AddFile("C:\\Dir\\Long Name.dll", added);

    CFileEntry found;
    ASSERT_TRUE(files.FindFile("c:\\DIR\\long name.DLL", &found));
    EXPECT_EQ("Long Name.dll", found.longName);
    EXPECT_EQ("LONGNA~1.DLL", found.shortName);
    EXPECT_EQ(1234u, found.size);
    EXPECT_FALSE(files.FindFile("Long Name.dll", &found));
    EXPECT_FALSE(files.FindFile("C:\\Dir\\*.dll", &found));
    EXPECT_FALSE(files.FindFile("C:\\Dir\\Long Name.dl?", &found));
    EXPECT_EQ(4u, files.FindCount());

    files.RemoveFile("C:\\DIR\\LONG NAME.DLL");
    EXPECT_FALSE(files.FindFile("C:\\Dir\\Long Name.dll", nullptr));
}

TEST(MemoryFiles, ExpandsLikeExpandEnvironmentStrings)
{
    CMemoryFileSystem files;
    files.SetVariable("SystemRoot", "C:\\WINDOWS");
    char target[64];
    const char* source = "%systemroot%\\x.dll";
    unsigned long needed = files.Expand(source, target, sizeof target);
    EXPECT_STREQ("C:\\WINDOWS\\x.dll", target);
    EXPECT_EQ(std::strlen("C:\\WINDOWS\\x.dll") + 1, needed);

    files.Expand("%Nope%\\%SystemRoot%", target, sizeof target);
    EXPECT_STREQ("%Nope%\\C:\\WINDOWS", target) << "unknown names stay as written";
    files.Expand("100% sure", target, sizeof target);
    EXPECT_STREQ("100% sure", target);
    files.Expand("%Nope%SystemRoot%", target, sizeof target);
    EXPECT_STREQ("%NopeC:\\WINDOWS", target) << "a closing % can open the next name";

    std::memset(target, 'Q', sizeof target);
    EXPECT_EQ(needed, files.Expand(source, target, needed - 1));
    EXPECT_EQ('Q', target[0]) << "a target too small is left alone";
}

TEST(MemoryFiles, SearchesDirectoriesInOrder)
{
    CMemoryFileSystem files;
    files.AddSearchDirectory("C:\\App");
    files.AddSearchDirectory("C:\\Windows\\System32");
    files.AddFile("C:\\Windows\\System32\\ole32.dll");
    files.AddFile("C:\\App\\mine.dll");
    files.AddFile("C:\\Windows\\System32\\mine.dll");
    EXPECT_EQ("C:\\Windows\\System32\\OLE32.DLL", files.SearchFile("OLE32.DLL"))
        << "the directory found, then the name as asked";
    EXPECT_EQ("C:\\App\\mine.dll", files.SearchFile("mine.dll"));
    EXPECT_EQ("", files.SearchFile("absent.dll"));
}

TEST(MemoryFiles, FileTimesConvertToCalendarTime)
{
    CMemoryFileSystem files;
    std::tm local;
    ASSERT_TRUE(files.ToLocalTime(MakeFileTime(2009, 7, 5, 8, 9, 10), &local));
    EXPECT_EQ(109, local.tm_year);
    EXPECT_EQ(6, local.tm_mon);
    EXPECT_EQ(5, local.tm_mday);
    EXPECT_EQ(8, local.tm_hour);
    EXPECT_EQ(9, local.tm_min);
    EXPECT_EQ(10, local.tm_sec);
    EXPECT_EQ(0, local.tm_wday) << "5 July 2009 was a Sunday";
    ASSERT_TRUE(files.ToLocalTime(MakeFileTime(2000, 2, 29, 23, 59, 59), &local));
    EXPECT_EQ(1, local.tm_mon);
    EXPECT_EQ(29, local.tm_mday);
    EXPECT_FALSE(files.ToLocalTime(0, &local));
    EXPECT_FALSE(files.ToLocalTime(MakeFileTime(1960, 1, 1, 0, 0, 0), &local));
}

std::string QueryString(CMemoryVersionResources& versions, const void* block,
                        const char* subBlock)
{
    const void* value = nullptr;
    unsigned int length = 0;
    if (!versions.QueryValue(block, subBlock, &value, &length))
        return "<none>";
    return std::string(static_cast<const char*>(value), length);
}

TEST(MemoryVersion, PacksStringsUnderTheFirstTranslation)
{
    CMemoryVersionResources versions;
    CVersionFixture fixture;
    fixture.language = 0x0407;
    fixture.codePage = 0x04e4;
    fixture.strings["FileVersion"] = "1.2.3";
    versions.SetVersion("C:\\a.dll", fixture);

    unsigned long size = versions.GetInfoSize("c:\\A.DLL");
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(versions.GetInfo("C:\\a.dll", size, &block[0]));
    EXPECT_FALSE(versions.GetInfo("C:\\a.dll", size - 1, &block[0]));

    const void* value = nullptr;
    unsigned int length = 0;
    ASSERT_TRUE(versions.QueryValue(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(4u, length);
    const unsigned char* pair = static_cast<const unsigned char*>(value);
    EXPECT_EQ(0x07, pair[0]);
    EXPECT_EQ(0x04, pair[1]);
    EXPECT_EQ(0xe4, pair[2]);
    EXPECT_EQ(std::string("1.2.3", 6),
              QueryString(versions, block.data(), "\\StringFileInfo\\040704e4\\FileVersion"));
    EXPECT_EQ("<none>", QueryString(versions, block.data(), "\\StringFileInfo\\040904b0\\FileVersion"));
    EXPECT_EQ(0u, versions.GetInfoSize("C:\\other.dll"));
    EXPECT_EQ(2u, versions.Counts().sizeQueries);
    EXPECT_EQ(2u, versions.Counts().reads);
}

TEST(MemoryVersion, DescribesBrokenResources)
{
    CMemoryVersionResources versions;
    CVersionFixture noTranslation;
    noTranslation.hasTranslation = false;
    versions.SetVersion("C:\\a.dll", noTranslation);
    CVersionFixture unreadable;
    unreadable.readFails = true;
    versions.SetVersion("C:\\b.dll", unreadable);

    unsigned long size = versions.GetInfoSize("C:\\a.dll");
    std::string block(size, '\0');
    ASSERT_TRUE(versions.GetInfo("C:\\a.dll", size, &block[0]));
    EXPECT_EQ("<none>", QueryString(versions, block.data(), "\\VarFileInfo\\Translation"));

    size = versions.GetInfoSize("C:\\b.dll");
    ASSERT_GT(size, 0u);
    block.assign(size, '\0');
    EXPECT_FALSE(versions.GetInfo("C:\\b.dll", size, &block[0]));
}

}  // namespace
}  // namespace orrery
