#include "orrery/dependencies/tests/fixture_images.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace orrery {

const char kSystemDirectory[] = "C:\\windows\\system32";

std::string FixturePath(const std::string& relative)
{
    std::string path = std::string(DEPENDENCY_FIXTURES) + "/" + relative;
#ifdef _WIN32
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
#endif
    return path;
}

std::vector<unsigned char> ReadFixture(const std::string& relative)
{
    std::ifstream in(FixturePath(relative), std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << "fixture not built: " << FixturePath(relative);
    return bytes;
}

std::vector<std::string> FixtureImportsByObjdump(const std::string& relative)
{
    std::ifstream in(FixturePath(relative) + ".imports");
    EXPECT_TRUE(in.good()) << "no objdump reading of " << relative;
    std::vector<std::string> names;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        names.push_back(line);
    }
    return names;
}

bool WideFixturesBuilt()
{
    return WIDE_FIXTURES_BUILT != 0;
}

CDependencyMachine::CDependencyMachine()
{
    files.AddSearchDirectory(kSystemDirectory);
    Install(std::string(kSystemDirectory) + "\\KERNEL32.dll", "plain/no_imports.dll");
    Install(std::string(kSystemDirectory) + "\\version.dll", "plain/no_imports.dll");
}

void CDependencyMachine::Install(const std::string& path, const std::string& relative)
{
    files.AddFileContents(path, ReadFixture(relative));
}

void CDependencyMachine::InstallSet(const std::string& directory, const std::string& set,
                                    const std::vector<std::string>& names)
{
    for (const std::string& name : names)
        Install(directory + "\\" + name, set + "/" + name);
}

std::vector<std::string> DescribeList(const CDependencyList& list)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < list.size(); ++i) {
        lines.push_back(list[i].GetDisplayName() + "\t" + list[i].GetFilePath() + "\t" +
                        (list[i].IsFound() ? "1" : "0"));
    }
    return lines;
}

}  // namespace orrery
