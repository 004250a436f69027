// Replays the saved fuzzing corpus (interesting and once-crashing inputs) as a
// regular test: every input goes through the reader and through a walk in
// which it is both the root and its own dependencies, and what comes out must
// keep the reader's and the walk's promises.
#include "orrery/dependencies/collect_dependencies.h"
#include "orrery/dependencies/pe_imports.h"
#include "orrery/platform/memory_platform.h"
#include "orrery/platform/upper_case.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace orrery {
namespace {

std::vector<std::filesystem::path> CorpusFiles()
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(DEPENDENCY_CORPUS, error)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    return files;
}

std::vector<unsigned char> ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void CheckNames(const std::vector<unsigned char>& bytes, const std::string& input)
{
    CByteView view;
    view.data = bytes.data();
    view.size = bytes.size();
    std::vector<std::string> names;
    bool image = ReadImportedDllNames(view, &names);
    if (!image) {
        EXPECT_TRUE(names.empty()) << input;
    }
    std::size_t total = 0;
    for (const std::string& name : names) {
        EXPECT_LE(name.size(), 255u) << input;
        EXPECT_EQ(std::string::npos, name.find('\0')) << input;
        total += name.size() + 1;
    }
    EXPECT_LE(total, bytes.size()) << input << ": the names cannot hold more than the file";
}

void CheckWalk(const std::vector<unsigned char>& bytes, const std::string& input)
{
    // The input stands for the root and for every DLL that it names, so
    // that it meets itself again and again.
    CByteView view;
    view.data = bytes.data();
    view.size = bytes.size();
    std::vector<std::string> names;
    ReadImportedDllNames(view, &names);
    CMemoryPlatform machine;
    machine.files.AddSearchDirectory("C:\\sys");
    machine.files.AddFileContents("C:\\app\\input.dll", bytes);
    for (const std::string& name : names) {
        if (name.find_first_of("\\*?") == std::string::npos && !name.empty())
            machine.files.AddFileContents("C:\\sys\\" + name, bytes);
    }
    CDependencyList list;
    ASSERT_EQ(!bytes.empty(), CollectDependencies(machine.Get(), "C:\\app\\input.dll", list)) << input;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_TRUE(seen.insert(UpperCase(list[i].GetDisplayName())).second)
            << input << ": " << list[i].GetDisplayName() << " is listed twice";
        EXPECT_EQ(list[i].IsFound(), !list[i].GetFilePath().empty()) << input;
    }
}

TEST(FuzzCorpus, EveryInputKeepsTheReadersAndTheWalksPromises)
{
    std::vector<std::filesystem::path> files = CorpusFiles();
    ASSERT_FALSE(files.empty()) << "no corpus at " << DEPENDENCY_CORPUS;
    for (const std::filesystem::path& file : files) {
        std::vector<unsigned char> bytes = ReadAll(file);
        std::string input = file.filename().string();
        CheckNames(bytes, input);
        CheckWalk(bytes, input);
    }
}

}  // namespace
}  // namespace orrery
