#include "orrery/platform/posix_file_views.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace orrery {
namespace {

class PosixFileViewsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/orrery-views-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        directory = pattern;
    }
    void TearDown() override
    {
        for (const char* name : {"/data.bin", "/empty.bin"})
            std::remove((directory + name).c_str());
        rmdir(directory.c_str());
    }
    std::string Write(const char* name, const std::string& contents)
    {
        std::string path = directory + name;
        FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(contents.data(), 1, contents.size(), file);
        std::fclose(file);
        return path;
    }

    std::string directory;
    CPosixFileViews views;
};

TEST_F(PosixFileViewsTest, MapsTheWholeFileReadOnly)
{
    std::string contents("MZ\0\x01 whole file", 14);
    std::unique_ptr<CFileView> view = views.OpenView(Write("/data.bin", contents));
    ASSERT_NE(nullptr, view);
    CByteView bytes = view->Bytes();
    ASSERT_EQ(contents.size(), bytes.size);
    EXPECT_EQ(contents, std::string(reinterpret_cast<const char*>(bytes.data), bytes.size));
}

TEST_F(PosixFileViewsTest, MissingEmptyAndDirectoriesCannotBeMapped)
{
    EXPECT_EQ(nullptr, views.OpenView(directory + "/absent.bin"));
    EXPECT_EQ(nullptr, views.OpenView(Write("/empty.bin", "")));
    EXPECT_EQ(nullptr, views.OpenView(directory));
}

}  // namespace
}  // namespace orrery
