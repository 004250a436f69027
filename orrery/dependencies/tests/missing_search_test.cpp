#include "orrery/dependencies/missing_search.h"

#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/dependencies/tests/image_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orrery {
namespace {

class CObjectRow : public CSearchObjects {
public:
    explicit CObjectRow(CPlatform& platform) : m_platform(platform) {}

    void Add(const std::string& path, bool found)
    {
        std::unique_ptr<CComFile> record(new CComFile(m_platform));
        record->SetPath(path);
        record->SetFound(found);
        records.push_back(std::move(record));
        marks.push_back(0);
    }

    std::size_t Count() const override { return records.size(); }
    CComFile* Object(std::size_t index) const override { return records.at(index).get(); }
    void MarkMissingDependency(std::size_t index) override { ++marks.at(index); }

    std::vector<std::unique_ptr<CComFile>> records;
    std::vector<int> marks;  // how often each object was marked

private:
    CPlatform& m_platform;
};

class CProgressLog : public CSearchProgress {
public:
    void ShowMissing(long missing) override { events.push_back("missing " + std::to_string(missing)); }
    void ShowProcessed(long processed) override { events.push_back("processed " + std::to_string(processed)); }

    std::vector<std::string> events;
};

class MissingSearchTest : public ::testing::Test {
protected:
    MissingSearchTest() : objects(machine.Get())
    {
        machine.InstallSet("C:\\app", "chain", {"chain_a.dll", "chain_b.dll"});
        machine.files.AddFileContents("C:\\app\\two_missing.dll",
                                      CImageBuilder({"gone1.dll", "KERNEL32.dll", "gone2.dll"}).Bytes());
        machine.Install("C:\\app\\whole.dll", "plain/no_imports.dll");
    }

    CDependencyMachine machine;
    CObjectRow objects;
    CProgressLog progress;
};

TEST_F(MissingSearchTest, CountsMissingDllsAndMarksTheObjectsThatMissThem)
{
    objects.Add("C:\\app\\two_missing.dll", true);
    objects.Add("C:\\app\\whole.dll", true);
    objects.Add("C:\\app\\chain_a.dll", true);
    CSearchCounts counts = SearchMissingDependencies(machine.Get(), objects, progress);

    EXPECT_EQ(3, counts.processed);
    EXPECT_EQ(3, counts.missing) << "two DLLs of the first object, one of the third";
    EXPECT_EQ((std::vector<int>{2, 0, 1}), objects.marks);
    EXPECT_EQ((std::vector<std::string>{"missing 1", "missing 2", "processed 1", "processed 2", "missing 3",
                                        "processed 3"}),
              progress.events)
        << "each counter is shown when it grows, the progress after every object";
}

TEST_F(MissingSearchTest, MisbehavedAndUnreadableObjectsAreProcessedButNotMarked)
{
    objects.Add("C:\\gone\\chain_a.dll", false);
    objects.Add("C:\\app\\absent.dll", true);
    machine.files.RefuseOpening("C:\\app\\chain_a.dll");
    objects.Add("C:\\app\\chain_a.dll", true);
    CSearchCounts counts = SearchMissingDependencies(machine.Get(), objects, progress);
    EXPECT_EQ(3, counts.processed);
    EXPECT_EQ(0, counts.missing);
    EXPECT_EQ((std::vector<int>{0, 0, 0}), objects.marks);
    EXPECT_EQ(0u, machine.files.OpenCount("C:\\gone\\chain_a.dll")) << "a misbehaved object is not walked";
    EXPECT_EQ((std::vector<std::string>{"processed 1", "processed 2", "processed 3"}), progress.events);
}

TEST_F(MissingSearchTest, NoObjectsNoProgress)
{
    CSearchCounts counts = SearchMissingDependencies(machine.Get(), objects, progress);
    EXPECT_EQ(0, counts.processed);
    EXPECT_EQ(0, counts.missing);
    EXPECT_TRUE(progress.events.empty());
}

TEST_F(MissingSearchTest, EachObjectIsWalkedOnItsOwn)
{
    // The second object misses the same DLL as the first: it is counted again.
    objects.Add("C:\\app\\chain_b.dll", true);
    objects.Add("C:\\app\\chain_a.dll", true);
    CSearchCounts counts = SearchMissingDependencies(machine.Get(), objects, progress);
    EXPECT_EQ(2, counts.missing);
    EXPECT_EQ((std::vector<int>{1, 1}), objects.marks);
}

}  // namespace
}  // namespace orrery
