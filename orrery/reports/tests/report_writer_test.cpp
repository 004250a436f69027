#include "orrery/reports/report_writer.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/calendar_time.h"
#include "orrery/reports/tests/report_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orrery {
namespace {

class ReportWriterTest : public ::testing::Test {
protected:
    // Writes the sample's report and returns its bytes.
    std::string Write(ReportFormat format, std::vector<int> attributes, bool wellBehaved = true,
                      bool misbehaved = true, bool dependencies = false)
    {
        choices = CReportChoices{"Controls", format, wellBehaved, misbehaved, dependencies, attributes};
        CStringSink sink;
        count = WriteReport(choices, sample.Objects(), environment, sink,
                            [this](std::size_t index) { progress.push_back(index); });
        return sink.bytes;
    }

    static std::vector<int> AllAttributes()
    {
        std::vector<int> all;
        for (int id = 0; id < 19; ++id)
            all.push_back(id);
        return all;
    }

    CReportSample sample;
    CFixedEnvironment environment;
    CReportChoices choices;
    CReportCount count;
    std::vector<std::size_t> progress;
};

TEST_F(ReportWriterTest, FormattedPageHasOneTablePerObjectAndNoDependencies)
{
    AddSampleDependencies(environment);
    EXPECT_EQ(ReadExpected("formatted.htm"), Write(ReportFormatted, AllAttributes(), true, true, true));
    EXPECT_TRUE(count.complete);
    EXPECT_EQ(3u, count.written);
    EXPECT_TRUE(environment.walked.empty()) << "the formatted page never lists dependencies";
}

TEST_F(ReportWriterTest, FormattedPageOfMisbehavedObjectsOnly)
{
    EXPECT_EQ(ReadExpected("formatted_misbehaved.htm"), Write(ReportFormatted, {0, 5, 6, 7}, false, true));
    EXPECT_EQ(1u, count.written);
}

TEST_F(ReportWriterTest, PlainPageListsEachAttributeOnALine)
{
    AddSampleDependencies(environment);
    EXPECT_EQ(ReadExpected("plain.htm"), Write(ReportPlain, {0, 2, 5, 6}));
    EXPECT_TRUE(environment.walked.empty());
}

TEST_F(ReportWriterTest, PlainPageWithDependenciesWalksOnlyFoundServers)
{
    AddSampleDependencies(environment);
    EXPECT_EQ(ReadExpected("plain_dependencies.htm"), Write(ReportPlain, {0, 2, 5, 6}, true, true, true));
    EXPECT_EQ((std::vector<std::string>{"C:\\Tom & Jerry\\toon.ocx", "C:\\lib\\gauge.ocx"}), environment.walked)
        << "the misbehaved dial gets no dependency section";
}

TEST_F(ReportWriterTest, ServerThatCannotBeReadGetsNoDependencySection)
{
    environment.dependencies["C:\\lib\\gauge.ocx"] = {};
    std::string page = Write(ReportPlain, {0}, true, false, true);
    EXPECT_EQ(2u, environment.walked.size());
    // The gauge's walk succeeded with no DLLs: a heading and nothing under it.
    // The cartoon's file could not be read: no heading at all.
    EXPECT_NE(std::string::npos,
              page.find("ProgID: Orrery.Gauge.1<BR>\r\n<strong>Dependencies: </strong><BR>\r\n\r\n<HR><BR>"));
    EXPECT_NE(std::string::npos, page.find("&lt;/script&gt;<BR>\r\n\r\n<HR><BR>"));
}

TEST_F(ReportWriterTest, AnExeServersDependenciesComeFromItsFileWithoutTheArguments)
{
    CMemoryPlatform& machine = sample.Machine();
    machine.registry.SetString("CLSID\\{E1}\\LocalServer32", "", "C:\\apps\\server.exe /automation");
    machine.registry.SetString("CLSID\\{E1}\\ProgID", "", "Orrery.Server");
    machine.files.AddFile("C:\\apps\\server.exe", 4096);
    CExeServer server(machine.Get(), "{E1}");
    ASSERT_TRUE(server.IsFound());
    environment.dependencies["C:\\apps\\server.exe"] = {{"OLE32.dll", "C:\\windows\\system32\\ole32.dll", true}};
    choices = CReportChoices{"EXE Servers", ReportPlain, true, true, true, {0, 5}};
    CStringSink sink;
    count = WriteReport(choices, {&server}, environment, sink, nullptr);
    EXPECT_EQ((std::vector<std::string>{"C:\\apps\\server.exe"}), environment.walked);
    EXPECT_NE(std::string::npos,
              sink.bytes.find("File Location: C:\\apps\\server.exe /automation<BR>\r\n"
                              "<strong>Dependencies: </strong><BR>\r\n"
                              "OLE32.dll Located at: C:\\windows\\system32\\ole32.dll<BR>\r\n"))
        << sink.bytes;
}

TEST_F(ReportWriterTest, CommaDelimitedFileQuotesOnlyFieldsThatNeedIt)
{
    EXPECT_EQ(ReadExpected("comma.txt"), Write(ReportCommaDelimited, {2, 0, 11, 12, 6, 5}, true, true, true));
    EXPECT_TRUE(environment.walked.empty());
    EXPECT_EQ(3u, count.written);
}

TEST_F(ReportWriterTest, CommaDelimitedFileOfWellBehavedObjectsOnly)
{
    EXPECT_EQ(ReadExpected("comma_well_behaved.txt"), Write(ReportCommaDelimited, {0, 6}, true, false));
    EXPECT_EQ(2u, count.written);
}

TEST_F(ReportWriterTest, WithNeitherKindChosenThePageHoldsTheHeaderAndACountOfNought)
{
    std::string page = Write(ReportFormatted, {0, 1}, false, false);
    EXPECT_EQ(0u, count.written);
    EXPECT_EQ(std::string::npos, page.find("<table"));
    std::string full = ReadExpected("formatted.htm");
    std::string header = full.substr(0, full.find("<table"));
    EXPECT_EQ(header + "Controls Count: <strong>0</strong><BR>\r\n", page.substr(0, page.find("Generated by <a")));

    std::string text = Write(ReportCommaDelimited, {0}, false, false);
    EXPECT_EQ("; Attribute Names\r\nProgID,\r\n\r\n", text.substr(text.find("; Attribute Names")));
}

TEST_F(ReportWriterTest, EveryLineEndsInCrLf)
{
    for (ReportFormat format : {ReportFormatted, ReportPlain, ReportCommaDelimited}) {
        std::string bytes = Write(format, AllAttributes());
        for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
            ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "format " << format << " at " << at;
        EXPECT_EQ("\r\n", bytes.substr(bytes.size() - 2));
    }
}

TEST_F(ReportWriterTest, ProgressVisitsEveryObjectOfTheSetWrittenOrNot)
{
    Write(ReportPlain, {0}, false, true);
    EXPECT_EQ((std::vector<std::size_t>{0, 1, 2}), progress);
    EXPECT_EQ(1u, count.written);
}

TEST_F(ReportWriterTest, VersionDataIsLoadedOnlyForWrittenObjects)
{
    Write(ReportCommaDelimited, {2}, false, true);
    EXPECT_EQ(0u, sample.Machine().versions.Counts().reads) << "the found servers were not written";
    Write(ReportCommaDelimited, {2}, true, false);
    EXPECT_EQ(2u, sample.Machine().versions.Counts().reads) << "loaded first, even for a CLSID-only report";
}

TEST_F(ReportWriterTest, ComputerNameAndCategoryAreEscapedInThePage)
{
    environment.computerName = "LAB&<PC>";
    environment.pictureDirectory = "C:\\a\"b";
    std::string page = Write(ReportPlain, {0});
    EXPECT_NE(std::string::npos, page.find("Computer Name: <strong>LAB&amp;&lt;PC&gt;</strong>"));
    EXPECT_NE(std::string::npos, page.find("<img src=\"file://C:\\a&quot;b/orrery.jpg\""));
}

TEST_F(ReportWriterTest, ValuesWithTheirOwnCrLfKeepIt)
{
    sample.Machine().registry.SetString("CLSID\\{6A0E6A0E-0000-4000-8000-000000000001}\\Version", "", "a\r\nb\nc");
    std::string text = Write(ReportCommaDelimited, {1}, true, false);
    EXPECT_NE(std::string::npos, text.find("\"a\r\nb\r\nc\",\r\n"));
}

TEST_F(ReportWriterTest, AFailingSinkStopsTheReport)
{
    CStringSink sink;
    sink.failAfter = 3;
    choices.categoryName = "Controls";
    choices.format = ReportFormatted;
    choices.attributes = {0};
    count = WriteReport(choices, sample.Objects(), environment, sink, nullptr);
    EXPECT_FALSE(count.complete);
    EXPECT_EQ(3, sink.writes);
    EXPECT_EQ(std::string::npos, sink.bytes.find("Count:"));
}

TEST(ReportDateTest, FullWeekdayAndMonthWithTwoDigitDay)
{
    EXPECT_EQ("Sunday, December 09, 2001", ReportDate(CalendarTime(2001, 12, 9, 0, 0, 0, 0)));
}

}  // namespace
}  // namespace orrery
