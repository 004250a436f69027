#include "orrery/app/program_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramDirectory, IsTheFolderWithoutItsLastBackslash)
{
    EXPECT_EQ("C:\\Tools", ProgramDirectoryOf("C:\\Tools\\orrery.exe"));
    EXPECT_EQ("C:\\Program Files\\Tarnwick", ProgramDirectoryOf("C:\\Program Files\\Tarnwick\\orrery.exe"));
    EXPECT_EQ("\\\\server\\share", ProgramDirectoryOf("\\\\server\\share\\orrery.exe"));
}

TEST(ProgramDirectory, IsTheDriveAloneForAProgramInTheRoot)
{
    EXPECT_EQ("C:", ProgramDirectoryOf("C:\\orrery.exe"));
    EXPECT_EQ("C:", ProgramDirectoryOf("C:orrery.exe"));
    EXPECT_EQ("", ProgramDirectoryOf("orrery.exe"));
}

TEST(ExecutableName, IsTheFileNameWithoutItsExtension)
{
    EXPECT_EQ("orrery", ExecutableNameOf("C:\\Tools\\orrery.exe"));
    EXPECT_EQ("orrery", ExecutableNameOf("C:\\orrery.exe"));
    EXPECT_EQ("my.orrery", ExecutableNameOf("C:\\v1.2\\my.orrery.exe")) << "only the last dot, only in the name";
    EXPECT_EQ("orrery", ExecutableNameOf("C:\\v1.2\\orrery"));
}

} // namespace
