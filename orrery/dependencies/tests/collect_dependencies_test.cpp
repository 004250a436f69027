#include "orrery/dependencies/collect_dependencies.h"

#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/dependencies/tests/image_builder.h"
#include "orrery/platform/upper_case.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orrery {
namespace {

typedef std::vector<std::string> Lines;

const std::string kApp = "C:\\app";
const std::string kSystem = kSystemDirectory;

class CollectDependenciesTest : public ::testing::Test {
protected:
    // The walk from path as "name<TAB>path<TAB>found" lines; "<failed>" when
    // CollectDependencies returns false.
    Lines Walk(const std::string& path)
    {
        CDependencyList list;
        if (!CollectDependencies(machine.Get(), path, list))
            return Lines{"<failed>"};
        return DescribeList(list);
    }

    static std::string Found(const std::string& name, const std::string& path) { return name + "\t" + path + "\t1"; }
    static std::string Missing(const std::string& name) { return name + "\t\t0"; }

    CDependencyMachine machine;
};

TEST_F(CollectDependenciesTest, ChainWithAMissingEndIsListedDepthFirst)
{
    machine.InstallSet(kApp, "chain", {"chain_a.dll", "chain_b.dll"});
    ASSERT_EQ((Lines{"KERNEL32.dll", "chain_b.dll"}), FixtureImportsByObjdump("chain/chain_a.dll"))
        << "the expectation below follows the linker's table order";
    EXPECT_EQ((Lines{Found("KERNEL32.dll", kSystem + "\\KERNEL32.dll"), Found("chain_b.dll", kApp + "\\chain_b.dll"),
                     Missing("chain_c.dll")}),
              Walk(kApp + "\\chain_a.dll"));
    EXPECT_EQ((Lines{Missing("chain_c.dll")}), Walk(kApp + "\\chain_b.dll"));
}

// What a server that cannot load misses: every DLL of the walk that is not
// found, directly imported or further down, once, as its first importer in
// the depth-first walk writes it.
TEST_F(CollectDependenciesTest, MissingDllNamesAreTheWalksMissingDlls)
{
    machine.files.AddFileContents(kApp + "\\server.dll", CImageBuilder({"here.dll", "Gone.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\here.dll", CImageBuilder({"deeper.dll", "gone.DLL"}).Bytes());
    EXPECT_EQ((Lines{"deeper.dll", "gone.DLL"}), MissingDllNames(machine.Get(), kApp + "\\server.dll"));
    EXPECT_EQ((Lines{"deeper.dll", "gone.DLL"}), MissingDllNames(machine.Get(), kApp + "\\here.dll"));
    machine.files.AddFileContents(kApp + "\\complete.dll", CImageBuilder({"here.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\deeper.dll", CImageBuilder({}).Bytes());
    machine.files.AddFileContents(kApp + "\\gone.dll", CImageBuilder({}).Bytes());
    EXPECT_TRUE(MissingDllNames(machine.Get(), kApp + "\\complete.dll").empty());
    EXPECT_TRUE(MissingDllNames(machine.Get(), kApp + "\\absent.dll").empty()) << "a file that is not there";
}

TEST_F(CollectDependenciesTest, DiscoveryOrderPutsEachDllRightAfterItsFirstImporter)
{
    // root imports x and y; x imports z and y; y imports z.
    machine.files.AddFileContents(kApp + "\\root.dll", CImageBuilder({"x.dll", "y.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\x.dll", CImageBuilder({"z.dll", "y.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\y.dll", CImageBuilder({"z.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\z.dll", CImageBuilder({}).Bytes());
    EXPECT_EQ((Lines{Found("x.dll", kApp + "\\x.dll"), Found("z.dll", kApp + "\\z.dll"),
                     Found("y.dll", kApp + "\\y.dll")}),
              Walk(kApp + "\\root.dll"));
    for (const char* file : {"x.dll", "y.dll", "z.dll", "root.dll"})
        EXPECT_EQ(1u, machine.files.OpenCount(kApp + "\\" + file)) << file << " is opened once per walk";
}

TEST_F(CollectDependenciesTest, CycleEndsAndListsTheFileItselfWhenImportedBack)
{
    machine.InstallSet(kApp, "cycle", {"cycle_a.dll", "cycle_b.dll"});
    EXPECT_EQ((Lines{Found("cycle_b.dll", kApp + "\\cycle_b.dll"), Found("cycle_a.dll", kApp + "\\cycle_a.dll")}),
              Walk(kApp + "\\cycle_a.dll"));

    // A file that imports itself is listed once.
    machine.files.AddFileContents(kApp + "\\self.dll", CImageBuilder({"SELF.DLL", "self.dll"}).Bytes());
    EXPECT_EQ((Lines{Found("SELF.DLL", kApp + "\\SELF.DLL")}), Walk(kApp + "\\self.dll"));
}

TEST_F(CollectDependenciesTest, DllBesideTheImporterShadowsTheSystemOne)
{
    machine.InstallSet(kApp, "shadow", {"shadow_user.dll", "version.dll"});
    EXPECT_EQ((Lines{Found("version.dll", kApp + "\\version.dll")}), Walk(kApp + "\\shadow_user.dll"));

    // Away from its private copy, the importer gets the system's.
    machine.Install("C:\\other\\shadow_user.dll", "shadow/shadow_user.dll");
    EXPECT_EQ((Lines{Found("version.dll", kSystem + "\\version.dll")}), Walk("C:\\other\\shadow_user.dll"));
}

// A server named without a folder is looked at from the current directory:
// its neighbours there are its own DLLs, not a folder named like the file.
TEST_F(CollectDependenciesTest, FileNamedWithoutAFolderFindsItsNeighboursInTheCurrentDirectory)
{
    machine.files.AddFileContents("server.dll", CImageBuilder({"here.dll"}).Bytes());
    machine.files.AddFileContents("here.dll", CImageBuilder({}).Bytes());
    machine.files.AddFileContents("server.dll\\here.dll", CImageBuilder({}).Bytes());
    EXPECT_EQ((Lines{Found("here.dll", "here.dll")}), Walk("server.dll"));
}

TEST_F(CollectDependenciesTest, NameImportedUnderTwoCasesIsListedOnceAsFirstWritten)
{
    machine.InstallSet(kApp, "case", {"case_root.dll", "case_a.dll", "case_b.dll", "shared.dll"});
    ASSERT_EQ((Lines{"case_a.dll", "case_b.dll"}), FixtureImportsByObjdump("case/case_root.dll"));
    EXPECT_EQ((Lines{Found("case_a.dll", kApp + "\\case_a.dll"), Found("Shared.dll", kApp + "\\Shared.dll"),
                     Found("case_b.dll", kApp + "\\case_b.dll")}),
              Walk(kApp + "\\case_root.dll"));
    EXPECT_EQ(1u, machine.files.OpenCount(kApp + "\\shared.dll"));
}

TEST_F(CollectDependenciesTest, SixtyFourBitImageIsWalkedLikeAnyOther)
{
    if (!WideFixturesBuilt())
        GTEST_SKIP() << "x86_64-w64-mingw32 is not installed (scripts/setup installs it)";
    machine.InstallSet(kApp, "wide", {"wide.dll", "wide_dep.dll"});
    Lines expected;
    for (const std::string& name : FixtureImportsByObjdump("wide/wide.dll"))
        expected.push_back(Found(name, (UpperCase(name) == "KERNEL32.DLL" ? kSystem : kApp) + "\\" + name));
    EXPECT_EQ(2u, expected.size());
    EXPECT_EQ(expected, Walk(kApp + "\\wide.dll"));
}

TEST_F(CollectDependenciesTest, FilesWithoutImportsOrNotImagesGiveAnEmptyListAndSucceed)
{
    machine.Install(kApp + "\\no_imports.dll", "plain/no_imports.dll");
    EXPECT_EQ(Lines{}, Walk(kApp + "\\no_imports.dll"));
    machine.files.AddFileContents(kApp + "\\readme.txt", {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(Lines{}, Walk(kApp + "\\readme.txt"));
}

TEST_F(CollectDependenciesTest, FileThatCannotBeOpenedFailsAndAppendsNothing)
{
    EXPECT_EQ(Lines{"<failed>"}, Walk(kApp + "\\absent.dll"));
    machine.files.AddFile(kApp + "\\empty.dll", 0);
    EXPECT_EQ(Lines{"<failed>"}, Walk(kApp + "\\empty.dll")) << "an empty file cannot be mapped";
    machine.InstallSet(kApp, "chain", {"chain_a.dll", "chain_b.dll"});
    machine.files.RefuseOpening(kApp + "\\chain_a.dll");
    EXPECT_EQ(Lines{"<failed>"}, Walk(kApp + "\\chain_a.dll")) << "access refused";
}

TEST_F(CollectDependenciesTest, DependencyThatCannotBeOpenedIsFoundButNotFollowed)
{
    machine.InstallSet(kApp, "chain", {"chain_a.dll", "chain_b.dll"});
    machine.files.RefuseOpening(kApp + "\\chain_b.dll");
    EXPECT_EQ((Lines{Found("KERNEL32.dll", kSystem + "\\KERNEL32.dll"), Found("chain_b.dll", kApp + "\\chain_b.dll")}),
              Walk(kApp + "\\chain_a.dll"));
}

TEST_F(CollectDependenciesTest, AppendsToWhatTheListAlreadyHolds)
{
    machine.InstallSet(kApp, "chain", {"chain_a.dll", "chain_b.dll"});
    CDependencyList list;
    ASSERT_TRUE(CollectDependencies(machine.Get(), kApp + "\\chain_b.dll", list));
    ASSERT_TRUE(CollectDependencies(machine.Get(), kApp + "\\chain_a.dll", list));
    EXPECT_EQ((Lines{Missing("chain_c.dll"), Found("KERNEL32.dll", kSystem + "\\KERNEL32.dll"),
                     Found("chain_b.dll", kApp + "\\chain_b.dll")}),
              DescribeList(list));
}

TEST_F(CollectDependenciesTest, SearchResultsAreExpanded)
{
    machine.files.SetVariable("SystemRoot", "C:\\windows");
    machine.files.AddSearchDirectory("%SystemRoot%\\extra");
    machine.files.AddFileContents("%SystemRoot%\\extra\\plug.dll", CImageBuilder({}).Bytes());
    machine.files.AddFileContents("C:\\windows\\extra\\plug.dll", CImageBuilder({"KERNEL32.dll"}).Bytes());
    machine.files.AddFileContents(kApp + "\\host.dll", CImageBuilder({"plug.dll"}).Bytes());
    EXPECT_EQ((Lines{Found("plug.dll", "C:\\windows\\extra\\plug.dll"), Found("KERNEL32.dll", kSystem + "\\KERNEL32.dll")}),
              Walk(kApp + "\\host.dll"))
        << "the expanded path is the one walked";
}

TEST_F(CollectDependenciesTest, PathsLongerThanMaxPathAreNeitherTriedNorKept)
{
    // The importer's directory makes every candidate longer than MAX_PATH:
    // its private copy is passed over and the system search decides.
    std::string deep = kApp + "\\" + std::string(250, 'd');
    machine.files.AddFileContents(deep + "\\host.dll", CImageBuilder({"version.dll", "private.dll"}).Bytes());
    machine.files.AddFileContents(deep + "\\version.dll", CImageBuilder({}).Bytes());
    machine.files.AddFileContents(deep + "\\private.dll", CImageBuilder({}).Bytes());
    EXPECT_EQ((Lines{Found("version.dll", kSystem + "\\version.dll"), Missing("private.dll")}),
              Walk(deep + "\\host.dll"));

    // Just inside the limit the private copy is taken.
    std::string fits = kApp + "\\" + std::string(259 - kApp.size() - 2 - 11, 'f');
    ASSERT_EQ(259u, (fits + "\\version.dll").size());
    machine.files.AddFileContents(fits + "\\host.dll", CImageBuilder({"version.dll"}).Bytes());
    machine.files.AddFileContents(fits + "\\version.dll", CImageBuilder({}).Bytes());
    EXPECT_EQ((Lines{Found("version.dll", fits + "\\version.dll")}), Walk(fits + "\\host.dll"));
}

TEST_F(CollectDependenciesTest, DirectoryNamedLikeTheDllIsNotTheDll)
{
    CFileEntry folder;
    folder.isDirectory = true;
    machine.files.AddFile(kApp + "\\version.dll", folder);
    machine.files.AddFileContents(kApp + "\\host.dll", CImageBuilder({"version.dll"}).Bytes());
    EXPECT_EQ((Lines{Found("version.dll", kSystem + "\\version.dll")}), Walk(kApp + "\\host.dll"));
}

TEST_F(CollectDependenciesTest, LongChainIsWalkedWithoutDeepRecursion)
{
    const int kLength = 5000;
    Lines expected;
    for (int i = 0; i < kLength; ++i) {
        std::string next = "link" + std::to_string(i + 1) + ".dll";
        std::vector<std::string> imports;
        if (i + 1 < kLength)
            imports.push_back(next);
        machine.files.AddFileContents(kApp + "\\link" + std::to_string(i) + ".dll", CImageBuilder(imports).Bytes());
        if (i + 1 < kLength)
            expected.push_back(Found(next, kApp + "\\" + next));
    }
    EXPECT_EQ(expected, Walk(kApp + "\\link0.dll"));
}

// The set beside the list answers as a search of the list would.
class CLinearDependencyList : public CDependencyList {
public:
    bool Contains(const std::string& name) const override
    {
        for (std::size_t i = 0; i < size(); ++i) {
            if (UpperCase((*this)[i].GetDisplayName()) == UpperCase(name))
                return true;
        }
        return false;
    }
};

TEST_F(CollectDependenciesTest, NameSetAgreesWithASearchOfTheList)
{
    machine.InstallSet(kApp, "case", {"case_root.dll", "case_a.dll", "case_b.dll", "shared.dll"});
    machine.InstallSet(kApp, "cycle", {"cycle_a.dll", "cycle_b.dll"});
    for (const char* root : {"case_root.dll", "cycle_a.dll"}) {
        CDependencyList indexed;
        CLinearDependencyList searched;
        ASSERT_TRUE(CollectDependencies(machine.Get(), kApp + "\\" + root, indexed));
        ASSERT_TRUE(CollectDependencies(machine.Get(), kApp + "\\" + root, searched));
        EXPECT_EQ(DescribeList(searched), DescribeList(indexed)) << root;
    }
}

TEST(DependencyList, LooksNamesUpIgnoringCaseAndHandsItsRecordsOver)
{
    CMemoryPlatform machine;
    CDependencyList list;
    for (const char* name : {"Alpha.dll", "beta.DLL"}) {
        std::unique_ptr<CComFile> record(new CComFile(machine.Get()));
        record->SetDisplayName(name);
        list.Append(std::move(record));
    }
    EXPECT_TRUE(list.Contains("ALPHA.DLL"));
    EXPECT_TRUE(list.Contains("Beta.dll"));
    EXPECT_FALSE(list.Contains("alpha"));
    EXPECT_FALSE(list.Contains("gamma.dll"));

    std::vector<std::unique_ptr<CComFile>> records = list.TakeRecords();
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ("Alpha.dll", records[0]->GetDisplayName());
    EXPECT_EQ("beta.DLL", records[1]->GetDisplayName());
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(list.Contains("alpha.dll")) << "the names go with the records";
}

}  // namespace
}  // namespace orrery
