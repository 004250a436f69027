#include "orrery/reports/file_compare.h"

#include "orrery/platform/memory_platform.h"
#include "orrery/reports/tests/compared_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orrery {
namespace {

const char kGauge[] = "C:\\Windows\\System32\\gauge.ocx";
const char kGaugeCopy[] = "C:\\Backup\\gauge.ocx";
const char kGaugeNew[] = "C:\\Program Files\\Gauge 2\\gauge.ocx";
const char kPlain[] = "C:\\Windows\\System32\\plain.dll";
const char kPlainCopy[] = "C:\\Backup\\plain.dll";

CFileEntry Entry(std::uint64_t size, int year)
{
    CFileEntry entry;
    entry.size = size;
    entry.created = MakeFileTime(year, 3, 4, 5, 6, 7);
    entry.lastWritten = MakeFileTime(year, 6, 7, 8, 9, 10);
    entry.lastAccessed = MakeFileTime(year + 1, 1, 2, 0, 0, 0);
    return entry;
}

CVersionFixture GaugeVersion(const std::string& fileVersion)
{
    CVersionFixture version;
    version.strings = {{"FileDescription", "Gauge Control"}, {"CompanyName", "Tarnwick"},
                       {"FileVersion", fileVersion}, {"InternalName", "gauge"},
                       {"LegalCopyright", "(c) Tarnwick"}, {"OriginalFilename", "gauge.ocx"},
                       {"ProductName", "Orrery Samples"}, {"ProductVersion", "1.0"}};
    return version;
}

class FileCompareTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.files.AddFile(kGauge, Entry(12345, 2004));
        machine.files.AddFile(kGaugeCopy, Entry(12345, 2004));
        machine.files.AddFile(kGaugeNew, Entry(23456, 2006));
        machine.versions.SetVersion(kGauge, GaugeVersion("1.0.0.7"));
        machine.versions.SetVersion(kGaugeCopy, GaugeVersion("1.0.0.7"));
        CVersionFixture newer = GaugeVersion("1.0.0.9");
        newer.strings["CompanyName"] = "tarnwick";
        machine.versions.SetVersion(kGaugeNew, newer);
        machine.files.AddFile(kPlain, Entry(10, 2001));
        machine.files.AddFile(kPlainCopy, Entry(10, 2001));
    }

    CFileComparison Compare(const std::string& first, const std::string& second)
    {
        return CompareFiles(machine.Get(), first, second);
    }

    static std::vector<std::string> Labels(const CFileComparison& comparison)
    {
        std::vector<std::string> labels;
        for (const CCompareRow& row : comparison.rows)
            labels.push_back(row.label);
        return labels;
    }

    // The kinds of the rows, one letter each: F same file data, V same
    // version string, D different.
    static std::string Kinds(const CFileComparison& comparison)
    {
        std::string kinds;
        for (const CCompareRow& row : comparison.rows)
            kinds += row.kind == CompareRowKind::SameFileData ? 'F' : row.kind == CompareRowKind::SameVersion ? 'V' : 'D';
        return kinds;
    }

    // The values of the rows (or of those that differ), "first | second",
    // one line each.
    static std::string Values(const CFileComparison& comparison, bool differingOnly = false)
    {
        std::string values;
        for (const CCompareRow& row : comparison.rows) {
            if (!differingOnly || row.first != row.second)
                values += row.first + " | " + row.second + "\n";
        }
        return values;
    }

    // The labels of the rows whose values differ.
    static std::vector<std::string> Differing(const CFileComparison& comparison)
    {
        std::vector<std::string> labels;
        for (const CCompareRow& row : comparison.rows) {
            if (row.first != row.second)
                labels.push_back(row.label);
        }
        return labels;
    }

    CMemoryPlatform machine;
};

TEST_F(FileCompareTest, AFileComparedWithItselfIsIdenticalInTwelveRows)
{
    CFileComparison comparison = Compare(kGauge, kGauge);
    EXPECT_EQ(kComparedLabels, Labels(comparison));
    EXPECT_EQ("FFFFVVVVVVVV", Kinds(comparison));
    EXPECT_TRUE(comparison.identical);
    EXPECT_STREQ("Files have identical attributes.", ComparisonVerdict(comparison));
    EXPECT_EQ("12345 Bytes | 12345 Bytes\n"
              "03/04/04 05:06:07 | 03/04/04 05:06:07\n"
              "06/07/04 08:09:10 | 06/07/04 08:09:10\n"
              "01/02/05 | 01/02/05\n"
              "Gauge Control | Gauge Control\n"
              "Tarnwick | Tarnwick\n"
              "1.0.0.7 | 1.0.0.7\n"
              "gauge | gauge\n"
              "(c) Tarnwick | (c) Tarnwick\n"
              "gauge.ocx | gauge.ocx\n"
              "Orrery Samples | Orrery Samples\n"
              "1.0 | 1.0\n",
              Values(comparison));
}

TEST_F(FileCompareTest, TwoCopiesOfOneFileCompareAsIdentical)
{
    CFileComparison comparison = Compare(kGauge, kGaugeCopy);
    EXPECT_TRUE(comparison.identical);
    EXPECT_TRUE(Differing(comparison).empty());
}

TEST_F(FileCompareTest, DifferingValuesAreMarkedRowByRowAndCaseCounts)
{
    CFileComparison comparison = Compare(kGauge, kGaugeNew);
    EXPECT_FALSE(comparison.identical);
    EXPECT_STREQ("Files have differnet attributes.", ComparisonVerdict(comparison));
    EXPECT_EQ((std::vector<std::string>{"File Size", "Created", "Last Modified", "Accessed",
                                        "Company Name", "File Version"}),
              Differing(comparison));
    EXPECT_EQ("DDDDVDDVVVVV", Kinds(comparison));
    EXPECT_EQ("12345 Bytes | 23456 Bytes\n"
              "03/04/04 05:06:07 | 03/04/06 05:06:07\n"
              "06/07/04 08:09:10 | 06/07/06 08:09:10\n"
              "01/02/05 | 01/02/07\n"
              "Tarnwick | tarnwick\n"
              "1.0.0.7 | 1.0.0.9\n",
              Values(comparison, true));
}

TEST_F(FileCompareTest, FilesWithoutVersionResourcesAgreeOnEmptyVersionRows)
{
    CFileComparison comparison = Compare(kPlain, kPlainCopy);
    EXPECT_TRUE(comparison.identical);
    ASSERT_EQ(12u, comparison.rows.size());
    for (size_t row = 4; row < comparison.rows.size(); ++row) {
        EXPECT_EQ("", comparison.rows[row].first) << comparison.rows[row].label;
        EXPECT_EQ(CompareRowKind::SameVersion, comparison.rows[row].kind) << comparison.rows[row].label;
    }
    EXPECT_EQ("10 Bytes", comparison.rows[0].first);

    CFileComparison mixed = Compare(kPlain, kGauge);
    EXPECT_FALSE(mixed.identical);
    EXPECT_EQ(kComparedLabels, Differing(mixed));
    EXPECT_EQ("", mixed.rows[4].first);
    EXPECT_EQ("Gauge Control", mixed.rows[4].second);
}

TEST_F(FileCompareTest, AFileThatCannotBeReadHasEmptyValuesInEveryRow)
{
    CFileComparison comparison = Compare("C:\\gone\\missing.dll", kGauge);
    ASSERT_EQ(12u, comparison.rows.size());
    EXPECT_FALSE(comparison.identical);
    for (const CCompareRow& row : comparison.rows) {
        EXPECT_EQ("", row.first) << row.label;
        EXPECT_NE("", row.second) << row.label;
        EXPECT_EQ(CompareRowKind::Different, row.kind) << row.label;
    }

    CFileComparison bothMissing = Compare("C:\\gone\\a.dll", "");
    EXPECT_EQ(12u, bothMissing.rows.size());
    EXPECT_TRUE(bothMissing.identical);
}

// The path is the file as given: a blank does not start arguments, and
// quotes are not taken off.
TEST_F(FileCompareTest, APathIsTakenWholeWithBlanksAndQuotes)
{
    machine.files.AddFile("C:\\Program", Entry(99, 1999));
    CFileComparison comparison = Compare(kGaugeNew, kGaugeNew);
    EXPECT_EQ("23456 Bytes", comparison.rows[0].first);
    EXPECT_EQ("1.0.0.9", comparison.rows[6].first);

    CFileComparison quoted = Compare(std::string("\"") + kGauge + "\"", kGauge);
    EXPECT_EQ("", quoted.rows[0].first);
    EXPECT_EQ("12345 Bytes", quoted.rows[0].second);
}

TEST_F(FileCompareTest, ComparingReadsNoRegistryAndEachVersionResourceOnce)
{
    machine.registry.ResetCounts();
    Compare(kGauge, kGaugeNew);
    EXPECT_EQ(0u, machine.registry.Counts().queries);
    EXPECT_EQ(0u, machine.registry.Counts().opens);
    EXPECT_EQ(2u, machine.versions.Counts().reads);
}

TEST_F(FileCompareTest, ABrokenVersionResourceCountsAsNone)
{
    CVersionFixture broken = GaugeVersion("1.0.0.7");
    broken.hasTranslation = false;
    machine.versions.SetVersion(kPlain, broken);
    CFileComparison comparison = Compare(kPlain, kPlainCopy);
    EXPECT_TRUE(comparison.identical);
    EXPECT_EQ("", comparison.rows[4].first);
}

TEST_F(FileCompareTest, AnObjectIsComparedByItsServerFileWithoutArguments)
{
    machine.registry.SetString("CLSID\\{E1}\\LocalServer32", "", "C:\\apps\\server.exe /automation");
    machine.files.AddFile("C:\\apps\\server.exe", 100);
    CComObject server(machine.Get(), "{E1}", "LocalServer32");
    EXPECT_EQ("C:\\apps\\server.exe", ComparedFileOf(machine.Get(), server));

    machine.registry.SetString("CLSID\\{D1}\\InprocServer32", "", kGauge);
    CComObject dll(machine.Get(), "{D1}", "InprocServer32");
    EXPECT_EQ(kGauge, ComparedFileOf(machine.Get(), dll));
}

TEST_F(FileCompareTest, ABareFileNameIsLookedUpOnTheSearchPath)
{
    machine.files.AddSearchDirectory("C:\\Windows\\System32");
    machine.registry.SetString("CLSID\\{S1}\\InprocServer32", "", "plain.dll");
    CComObject found(machine.Get(), "{S1}", "InprocServer32");
    EXPECT_EQ(kPlain, ComparedFileOf(machine.Get(), found));

    machine.registry.SetString("CLSID\\{S2}\\InprocServer32", "", "nowhere.dll");
    CComObject nowhere(machine.Get(), "{S2}", "InprocServer32");
    EXPECT_EQ("nowhere.dll", ComparedFileOf(machine.Get(), nowhere));

    CComObject none(machine.Get(), "{S3}", "InprocServer32");
    EXPECT_EQ("", ComparedFileOf(machine.Get(), none));
}

TEST(PathFromCommandLine, BlanksAroundAndQuotesAroundAreDropped)
{
    EXPECT_EQ("C:\\MY FILES\\A B.DLL", PathFromCommandLine("  \"C:\\MY FILES\\A B.DLL\"  "));
    EXPECT_EQ("C:\\MY FILES\\A B.DLL", PathFromCommandLine("C:\\MY FILES\\A B.DLL\t"));
    EXPECT_EQ("\"C:\\X.DLL", PathFromCommandLine("\"C:\\X.DLL"));
    EXPECT_EQ("C:\\\"X\".DLL", PathFromCommandLine("C:\\\"X\".DLL"));
    EXPECT_EQ("", PathFromCommandLine("\"\""));
    EXPECT_EQ("", PathFromCommandLine("   "));
    EXPECT_EQ("", PathFromCommandLine(""));
}

}  // namespace
}  // namespace orrery
