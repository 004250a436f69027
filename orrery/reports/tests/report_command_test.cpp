#include "orrery/reports/report_command.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

CReportCommand Parse(const std::vector<std::string>& args)
{
    CReportCommand command;
    std::string error;
    EXPECT_TRUE(ParseReportCommand(args, &command, &error)) << error;
    return command;
}

// The category's name, the format and the objects the command reports on,
// in one line.
std::string Choices(const CReportCommand& command)
{
    const CReportChoices& choices = command.choices;
    std::string text = choices.categoryName;
    text += choices.format == ReportFormatted ? "; formatted" : choices.format == ReportPlain ? "; plain" : "; csv";
    if (choices.wellBehaved)
        text += "; well-behaved";
    if (choices.misbehaved)
        text += "; misbehaved";
    if (choices.includeDependencies)
        text += "; dependencies";
    return text;
}

std::string Refusal(const std::vector<std::string>& args)
{
    CReportCommand command;
    std::string error;
    EXPECT_FALSE(ParseReportCommand(args, &command, &error));
    return error;
}

TEST(ReportCommandTest, DefaultsToAllControlsAsCommaDelimitedText)
{
    CReportCommand command = Parse({"out.csv"});
    EXPECT_EQ(CategoryControls, command.category);
    EXPECT_EQ("Controls; csv; well-behaved; misbehaved", Choices(command));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}),
              command.choices.attributes);
    EXPECT_EQ("out.csv", command.outputPath);
    EXPECT_FALSE(command.showHelp);
}

TEST(ReportCommandTest, ReadsEveryOption)
{
    CReportCommand command = Parse({"--category", "exe", "--format", "plain", "--deps", "--well-behaved-only",
                                    "--attributes", "5,0,18", "C:\\reports\\exe.htm"});
    EXPECT_EQ(CategoryExeServers, command.category);
    EXPECT_EQ("EXE Servers; plain; well-behaved; dependencies", Choices(command));
    EXPECT_EQ((std::vector<int>{5, 0, 18}), command.choices.attributes);
    EXPECT_EQ("C:\\reports\\exe.htm", command.outputPath);

    command = Parse({"--misbehaved-only", "--category=dll", "--format=formatted", "-odd name.htm"});
    EXPECT_EQ(CategoryDllServers, command.category);
    EXPECT_EQ("DLL Servers; formatted; misbehaved", Choices(command));
    EXPECT_EQ("-odd name.htm", command.outputPath);
}

TEST(ReportCommandTest, HelpNeedsNoFileAndListsTheAttributes)
{
    EXPECT_TRUE(Parse({"--help"}).showHelp);
    EXPECT_TRUE(Parse({"--format", "csv", "--help"}).showHelp);
    std::string usage = ReportUsage();
    for (const char* text : {"--category controls|dll|exe", "--format formatted|plain|csv", "--deps",
                             "--misbehaved-only", "--well-behaved-only", "--attributes N,N,...", "--help",
                             " 0  ProgID\n", " 18 Product Version\n"})
        EXPECT_NE(std::string::npos, usage.find(text)) << text;
}

TEST(ReportCommandTest, RefusesWhatItCannotWrite)
{
    EXPECT_EQ("no output file given", Refusal({}));
    EXPECT_EQ("no output file given", Refusal({"--deps"}));
    EXPECT_EQ("only one output file may be given (\"a.csv\", \"b.csv\")", Refusal({"a.csv", "b.csv"}));
    EXPECT_EQ("unknown option --colour", Refusal({"--colour", "x.csv"}));
    EXPECT_EQ("--category: \"ocx\" is none of controls, dll, exe", Refusal({"--category", "ocx", "x.csv"}));
    EXPECT_EQ("--format: \"HTML\" is none of formatted, plain, csv", Refusal({"--format", "HTML", "x.csv"}));
    EXPECT_EQ("--format needs a value", Refusal({"x.csv", "--format"}));
    EXPECT_EQ("--deps takes no value", Refusal({"--deps=yes", "x.csv"}));
    EXPECT_EQ("--misbehaved-only and --well-behaved-only cannot be given together",
              Refusal({"--misbehaved-only", "--well-behaved-only", "x.csv"}));
}

TEST(ReportCommandTest, RefusesAttributeListsTheDialogCouldNotMake)
{
    EXPECT_EQ("--attributes: \"19\" is not an attribute number from 0 to 18", Refusal({"--attributes", "0,19", "x"}));
    EXPECT_EQ("--attributes: \"\" is not an attribute number from 0 to 18", Refusal({"--attributes", "", "x"}));
    EXPECT_EQ("--attributes: \"\" is not an attribute number from 0 to 18", Refusal({"--attributes", "1,,2", "x"}));
    EXPECT_EQ("--attributes: \"-1\" is not an attribute number from 0 to 18", Refusal({"--attributes=-1", "x"}));
    EXPECT_EQ("--attributes: \" 3\" is not an attribute number from 0 to 18", Refusal({"--attributes", "2, 3", "x"}));
    EXPECT_EQ("--attributes: attribute 6 is given twice", Refusal({"--attributes", "6,1,6", "x"}));
    EXPECT_EQ((std::vector<int>{7}), Parse({"--attributes", "07", "x"}).choices.attributes);
}

}  // namespace
}  // namespace orrery
