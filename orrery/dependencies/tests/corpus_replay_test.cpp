// Replays the saved fuzzing corpus (interesting and once-crashing inputs) as a
// regular test: every input must keep the promises the fuzzer checks.
#include "orrery/dependencies/fuzz/input_checks.h"

#include "orrery/dependencies/tests/image_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
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

TEST(FuzzCorpus, EveryInputKeepsTheReadersAndTheWalksPromises)
{
    std::vector<std::filesystem::path> files = CorpusFiles();
    ASSERT_GE(files.size(), 10u) << "the saved corpus at " << DEPENDENCY_CORPUS;
    for (const std::filesystem::path& file : files)
        EXPECT_EQ("", CheckImportPromises(ReadAll(file))) << file.filename().string();
}

// Inputs the checks must pass: an image that meets itself under names that
// differ only in case, an empty input (which cannot be opened, as the walk
// must say) and a bare signature.
TEST(FuzzCorpus, ChecksPassSoundInputs)
{
    EXPECT_EQ("", CheckImportPromises(CImageBuilder({"self.dll", "SELF.DLL", "other.dll"}).Bytes()));
    EXPECT_EQ("", CheckImportPromises({}));
    EXPECT_EQ("", CheckImportPromises({'M', 'Z'}));
}

}  // namespace
}  // namespace orrery
