#include "orrery/app/help_topics.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Files {
    std::set<std::string> paths;
    bool operator()(const std::string& path) const { return paths.count(path) > 0; }
};

const char kPages[] = "C:\\Tools\\orrery-help\\";

Files AllPages()
{
    Files files;
    for (const char* page : {"index.html", "compare.html", "options.html", "report.html",
                             "missing-dependencies.html"})
        files.paths.insert(kPages + std::string(page));
    return files;
}

TEST(ChooseHelp, OpensEachDialogsOwnPage)
{
    const struct {
        int context;
        const char* page;
    } expected[] = {{HelpCompare, "compare.html"},
                    {HelpOptions, "options.html"},
                    {HelpReport, "report.html"},
                    {HelpMissingDependencies, "missing-dependencies.html"},
                    {HelpContents, "index.html"}};
    for (const auto& topic : expected) {
        CHelpRequest request = ChooseHelp("C:\\Tools", topic.context, AllPages());
        EXPECT_EQ(CHelpRequest::Page, request.kind) << topic.context;
        EXPECT_EQ(kPages + std::string(topic.page), request.path) << topic.context;
    }
}

TEST(ChooseHelp, AContextWithoutAPageOpensTheContents)
{
    CHelpRequest request = ChooseHelp("C:\\Tools", 999, AllPages());
    EXPECT_EQ(CHelpRequest::Page, request.kind);
    EXPECT_EQ(kPages + std::string("index.html"), request.path);
}

TEST(ChooseHelp, TheHelpFileBesideTheProgramGoesToTheHelpViewer)
{
    Files files = AllPages();
    files.paths.insert("C:\\Tools\\orrery.hlp");
    CHelpRequest request = ChooseHelp("C:\\Tools", HelpReport, files);
    EXPECT_EQ(CHelpRequest::HelpFile, request.kind);
    EXPECT_EQ("C:\\Tools\\orrery.hlp", request.path);
    EXPECT_EQ(kWinHelpContext, request.command);
    EXPECT_EQ(103u, request.data);

    request = ChooseHelp("C:\\Tools", HelpContents, files);
    EXPECT_EQ(CHelpRequest::HelpFile, request.kind);
    EXPECT_EQ(kWinHelpContents, request.command);
    EXPECT_EQ(0u, request.data);
}

TEST(ChooseHelp, SaysWhichPageIsMissing)
{
    Files files = AllPages();
    files.paths.erase(kPages + std::string("options.html"));
    CHelpRequest request = ChooseHelp("C:\\Tools", HelpOptions, files);
    EXPECT_EQ(CHelpRequest::NotFound, request.kind);
    EXPECT_EQ(kPages + std::string("options.html"), request.path);
    EXPECT_EQ(CHelpRequest::Page, ChooseHelp("C:\\Tools", HelpCompare, files).kind);
}

TEST(ChooseHelp, AProgramInADrivesRootFindsItsPagesThere)
{
    Files files;
    files.paths.insert("C:\\orrery-help\\compare.html");
    CHelpRequest request = ChooseHelp("C:", HelpCompare, files);
    EXPECT_EQ(CHelpRequest::Page, request.kind);
    EXPECT_EQ("C:\\orrery-help\\compare.html", request.path);
}

} // namespace
