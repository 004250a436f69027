#include "orrery/reports/report_dependencies.h"

#include "orrery/dependencies/tests/image_builder.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

std::vector<std::string> Describe(const std::vector<CDependencyLine>& lines)
{
    std::vector<std::string> described;
    for (const CDependencyLine& line : lines)
        described.push_back(line.name + "|" + line.path + "|" + (line.found ? "found" : "missing"));
    return described;
}

TEST(ReportDependenciesTest, ListsTheWalkOfTheServerFileInItsOrder)
{
    CMemoryPlatform machine;
    machine.files.AddSearchDirectory("C:\\windows\\system32");
    machine.files.AddFileContents("C:\\app\\server.ocx", CImageBuilder({"Helper.dll", "MSVCRT.dll"}).Bytes());
    machine.files.AddFileContents("C:\\app\\Helper.dll", CImageBuilder({"gone.dll", "msvcrt.dll"}).Bytes());
    machine.files.AddFileContents("C:\\windows\\system32\\MSVCRT.dll", CImageBuilder({}).Bytes());
    std::vector<CDependencyLine> lines;
    ASSERT_TRUE(CollectDependencyLines(machine.Get(), "C:\\app\\server.ocx", &lines));
    EXPECT_EQ((std::vector<std::string>{"Helper.dll|C:\\app\\Helper.dll|found", "gone.dll||missing",
                                        "msvcrt.dll|C:\\windows\\system32\\msvcrt.dll|found"}),
              Describe(lines));
}

TEST(ReportDependenciesTest, AFileThatCannotBeOpenedListsNothing)
{
    CMemoryPlatform machine;
    std::vector<CDependencyLine> lines;
    EXPECT_FALSE(CollectDependencyLines(machine.Get(), "C:\\app\\absent.ocx", &lines));
    EXPECT_TRUE(lines.empty());

    machine.files.AddFileContents("C:\\app\\text.ocx", std::vector<unsigned char>{'n', 'o', 't', ' ', 'a', 'n'});
    EXPECT_TRUE(CollectDependencyLines(machine.Get(), "C:\\app\\text.ocx", &lines)) << "readable, though no image";
    EXPECT_TRUE(lines.empty());
}

}  // namespace
}  // namespace orrery
