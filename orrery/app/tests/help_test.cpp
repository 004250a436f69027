// The help opens the page of each topic from the folder beside the program
// (here the test program, which the build puts beside orrery.exe).
#include "orrery/app/help.h"
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

std::string PageTitle(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    std::string page = text.str();
    std::string::size_type start = page.find("<title>");
    std::string::size_type end = page.find("</title>");
    if (start == std::string::npos || end == std::string::npos)
        return "<no title in " + path + ">";
    return page.substr(start + 7, end - start - 7);
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override { UseShell(&m_shell); }
    void TearDown() override { UseShell(nullptr); }

    // The page the last help request opened, and that page's title.
    std::pair<std::string, std::string> OpenedPage()
    {
        if (m_shell.calls.empty() || m_shell.calls.back().kind != "open")
            return {"<nothing opened>", ""};
        const std::string& path = m_shell.calls.back().target;
        return {path, PageTitle(path)};
    }

    CRecordingShell m_shell;
};

TEST_F(HelpTest, EachContextOpensItsOwnPageInTheBrowser)
{
    const std::string pages = ProgramFolder() + "\\orrery-help\\";
    const struct {
        int context;
        const char* page;
        const char* title;
    } topics[] = {
        {101, "compare.html", "Orrery Help: Compare COM Files"},
        {102, "options.html", "Orrery Help: Options"},
        {103, "report.html", "Orrery Help: Inventory Report"},
        {104, "missing-dependencies.html", "Orrery Help: Find Missing Dependencies"},
    };
    for (const auto& topic : topics) {
        ShowHelp(nullptr, topic.context);
        EXPECT_EQ(std::make_pair(pages + topic.page, std::string(topic.title)), OpenedPage()) << topic.context;
    }
    ShowHelpContents(nullptr);
    EXPECT_EQ(std::make_pair(pages + "index.html", std::string("Orrery Help: Contents")), OpenedPage());
    EXPECT_EQ(5u, m_shell.calls.size());
}

TEST_F(HelpTest, EveryLinkOfThePagesLeadsToAPageThatIsThere)
{
    const std::string pages = ProgramFolder() + "\\orrery-help\\";
    for (const char* page : {"index.html", "compare.html", "options.html", "report.html",
                             "missing-dependencies.html"}) {
        std::ifstream file(pages + page);
        ASSERT_TRUE(file.good()) << page;
        std::stringstream text;
        text << file.rdbuf();
        std::string html = text.str();
        for (std::string::size_type at = html.find("href=\""); at != std::string::npos;
             at = html.find("href=\"", at + 1)) {
            std::string target = html.substr(at + 6, html.find('"', at + 6) - at - 6);
            EXPECT_TRUE(std::ifstream(pages + target).good()) << page << " links to " << target;
        }
    }
}

TEST_F(HelpTest, ABrowserThatCannotBeStartedIsToldInAMessage)
{
    m_shell.openError = ERROR_NO_ASSOCIATION;
    CBoxAnswerer answerer;
    ShowHelp(nullptr, HelpOptions);
    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Orrery", boxes[0].caption);
    EXPECT_NE(std::string::npos, boxes[0].text.find("The help page could not be opened:")) << boxes[0].text;
    EXPECT_NE(std::string::npos, boxes[0].text.find("options.html")) << boxes[0].text;
}

class HelpCommandTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow();
    }
};

TEST_F(HelpCommandTest, HelpContentsOpensTheContentsOverTheMainWindow)
{
    CRecordingShell shell;
    UseShell(&shell);
    Frame().RouteCmdMsg(ID_HELP_CONTENTS);
    UseShell(nullptr);
    ASSERT_EQ(1u, shell.calls.size());
    EXPECT_EQ("open", shell.calls[0].kind);
    EXPECT_EQ(Frame().GetSafeHwnd(), shell.calls[0].owner);
    EXPECT_EQ(ProgramFolder() + "\\orrery-help\\index.html", shell.calls[0].target);
}

} // namespace
