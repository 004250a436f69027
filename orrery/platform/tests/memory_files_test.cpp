#include "orrery/platform/memory_files.h"

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
    files.AddFile("C:\\Dir\\Long Name.dll", added);
    CFileEntry found;
    ASSERT_TRUE(files.FindFile("c:\\DIR\\long name.DLL", &found));
    EXPECT_EQ("Long Name.dll", found.longName);
    EXPECT_EQ("LONGNA~1.DLL", found.shortName);
    EXPECT_FALSE(files.FindFile("Long Name.dll", &found));
    EXPECT_FALSE(files.FindFile("C:\\Dir\\*.dll", &found));
    EXPECT_FALSE(files.FindFile("C:\\Dir\\Long Name.dl?", &found));

    files.AddSearchDirectory("C:\\App");
    files.AddSearchDirectory("C:\\Dir");
    files.AddFile("C:\\App\\long name.dll");
    EXPECT_EQ("C:\\App\\LONG NAME.DLL", files.SearchFile("LONG NAME.DLL"));
    EXPECT_EQ("", files.SearchFile("absent.dll"));
}

TEST(MemoryFiles, ExpandsLikeExpandEnvironmentStrings)
{
    CMemoryFileSystem files;
    files.SetVariable("SystemRoot", "C:\\WINDOWS");
    char target[64];
    unsigned long needed = files.Expand("%systemroot%\\x.dll", target, sizeof target);
    EXPECT_STREQ("C:\\WINDOWS\\x.dll", target);
    EXPECT_EQ(std::strlen(target) + 1, needed);
    files.Expand("%Nope%SystemRoot%", target, sizeof target);
    EXPECT_STREQ("%NopeC:\\WINDOWS", target) << "unknown names stay; their closing % may open the next";

    std::memset(target, 'Q', sizeof target);
    EXPECT_EQ(needed, files.Expand("%systemroot%\\x.dll", target, needed - 1));
    EXPECT_EQ('Q', target[0]) << "a target too small is left alone";
}

TEST(MemoryFiles, FileTimesConvertToCalendarTime)
{
    CMemoryFileSystem files;
    std::tm local;
    ASSERT_TRUE(files.ToLocalTime(MakeFileTime(2000, 2, 29, 8, 9, 10), &local));
    EXPECT_EQ(100, local.tm_year);
    EXPECT_EQ(1, local.tm_mon);
    EXPECT_EQ(29, local.tm_mday);
    EXPECT_EQ(8 * 3600 + 9 * 60 + 10, local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
    EXPECT_EQ(2, local.tm_wday) << "29 February 2000 was a Tuesday";
    EXPECT_FALSE(files.ToLocalTime(0, &local));
    EXPECT_FALSE(files.ToLocalTime(MakeFileTime(1960, 1, 1, 0, 0, 0), &local));
}

}  // namespace
}  // namespace orrery

namespace orrery {
namespace {

TEST(MemoryFileViews, ServeTheContentsGivenAndCountOpens)
{
    CMemoryFileSystem files;
    files.AddFileContents("C:\\Dir\\Image.dll", {'M', 'Z', 1, 2});
    CFileEntry entry;
    ASSERT_TRUE(files.FindFile("c:\\dir\\image.dll", &entry));
    EXPECT_EQ(4u, entry.size);

    std::unique_ptr<CFileView> view = files.OpenView("C:\\DIR\\IMAGE.DLL");
    ASSERT_NE(nullptr, view);
    ASSERT_EQ(4u, view->Bytes().size);
    EXPECT_EQ('Z', view->Bytes().data[1]);
    EXPECT_EQ(1u, files.OpenCount("c:\\dir\\image.dll"));

    // Replacing the file leaves the open view as it was.
    files.AddFileContents("C:\\Dir\\Image.dll", {'X'});
    EXPECT_EQ(4u, view->Bytes().size);
    EXPECT_EQ(1u, files.OpenView("C:\\Dir\\Image.dll")->Bytes().size);
}

TEST(MemoryFileViews, RefuseWhatCannotBeMapped)
{
    CMemoryFileSystem files;
    files.AddFile("C:\\no_contents.dll", 100);
    files.AddFileContents("C:\\empty.dll", {});
    files.AddFileContents("C:\\locked.dll", {'M', 'Z'});
    files.RefuseOpening("C:\\locked.dll");
    EXPECT_EQ(nullptr, files.OpenView("C:\\absent.dll"));
    EXPECT_EQ(nullptr, files.OpenView("C:\\no_contents.dll"));
    EXPECT_EQ(nullptr, files.OpenView("C:\\empty.dll"));
    EXPECT_EQ(nullptr, files.OpenView("C:\\locked.dll"));
    EXPECT_TRUE(files.FindFile("C:\\locked.dll", nullptr)) << "a refused file is still there";
    EXPECT_EQ(1u, files.OpenCount("C:\\locked.dll"));
}

}  // namespace
}  // namespace orrery
