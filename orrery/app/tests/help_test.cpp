// The help opens the page of each topic from the folder beside the program
// (here the test program, which the build puts beside orrery.exe).
#include "orrery/app/help.h"
#include "orrery/app/shell.h"
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/platform/system_error.h"

#include <shellapi.h>

#include <algorithm>

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

// The text of a help page; empty when it cannot be read.
std::string PageText(const std::string& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string PageTitle(const std::string& path)
{
    std::string page = PageText(path);
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

// The report writes dependencies into the plain HTML format only; the help
// promises them there and nowhere else.
TEST_F(HelpTest, TheReportPageTellsWhichFormatListsDependencies)
{
    std::string page = PageText(ProgramFolder() + "\\orrery-help\\report.html");
    std::string::size_type entry = page.find("<dt>Include Dependencies</dt>");
    ASSERT_NE(std::string::npos, entry);
    std::string::size_type start = page.find("<dd>", entry);
    std::string said = page.substr(start, page.find("</dd>", start) - start);
    EXPECT_NE(std::string::npos, said.find("For <b>HTML (Plain)</b>, also lists the DLLs")) << said;
    EXPECT_NE(std::string::npos, said.find("<b>HTML (Formated)</b> shows no dependencies")) << said;
    EXPECT_EQ(std::string::npos, said.find("two HTML formats")) << said;
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

// What of a box's texts cannot be seen: a line of a static text wider than
// the control, or a multi-line edit text that does not wrap or does not fit
// the control's height. "<no text>" when the box shows no text at all.
std::string TextCutOff(HWND box)
{
    std::string cut = "<no text>";
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = "";
        ::GetClassNameA(child, name, sizeof name);
        LONG style = ::GetWindowLongA(child, GWL_STYLE);
        bool isStatic = lstrcmpiA(name, "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON;
        bool isEdit = lstrcmpiA(name, "Edit") == 0;
        if (!isStatic && !isEdit)
            continue;
        if (cut == "<no text>")
            cut.clear();
        RECT room;
        ::GetClientRect(child, &room);
        HDC dc = ::GetDC(child);
        HGDIOBJ previous = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(child, WM_GETFONT, 0, 0)));
        std::string text = WindowTextOf(child);
        if (isEdit) {
            TEXTMETRICA metrics = {};
            ::GetTextMetricsA(dc, &metrics);
            LRESULT lines = ::SendMessageA(child, EM_GETLINECOUNT, 0, 0);
            if (!(style & ES_MULTILINE) || (style & ES_AUTOHSCROLL))
                cut += "an edit text that does not wrap\n";
            if (lines * metrics.tmHeight > room.bottom)
                cut += std::to_string(lines) + " lines in " + std::to_string(room.bottom) + " pixels\n";
        }
        for (size_t start = 0; isStatic && start <= text.size();) {
            size_t end = std::min(text.find('\n', start), text.size());
            std::string line = text.substr(start, end - start);
            RECT needed = {0, 0, 0, 0};
            ::DrawTextA(dc, line.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
            if (needed.right > room.right)
                cut += line + " (" + std::to_string(needed.right) + " > " + std::to_string(room.right) + ")\n";
            start = end + 1;
        }
        ::SelectObject(dc, previous);
        ::ReleaseDC(child, dc);
    }
    return cut;
}

// A failed ShellExecuteExA that set no last error still has a reason: the
// shell's own result.
TEST(ShellExecuteError, TheShellResultStandsInForAMissingLastError)
{
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), ShellExecuteError(ERROR_ACCESS_DENIED, SE_ERR_NOASSOC))
        << "the last error comes first";
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_ASSOCIATION), ShellExecuteError(0, SE_ERR_NOASSOC));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_ASSOCIATION), ShellExecuteError(0, SE_ERR_ASSOCINCOMPLETE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), ShellExecuteError(0, SE_ERR_FNF));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), ShellExecuteError(0, SE_ERR_SHARE));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_NOT_FOUND), ShellExecuteError(0, SE_ERR_DLLNOTFOUND));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DDE_FAIL), ShellExecuteError(0, SE_ERR_DDEBUSY));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), ShellExecuteError(0, 42)) << "a result that is no failure";
    EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), ShellExecuteError(0, 0))
        << "a result the shell never set is no reason, least of all lack of memory";
}

// A long path is shown whole, and the reason is the system's text for the
// error the shell gave.
TEST_F(HelpTest, TheFailureNamesTheWholePathAndTheRealReason)
{
    m_shell.openError = ERROR_NO_ASSOCIATION;
    CBoxAnswerer answerer;
    std::string cut = "<no box>";
    answerer.PrepareEachBox([&cut](HWND box) { cut = TextCutOff(box); });
    ShowHelp(nullptr, HelpMissingDependencies);
    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("", cut) << "lines cut off:\n" << cut;
    std::string text = boxes[0].text;
    for (size_t at = text.find_first_of("\r\n"); at != std::string::npos; at = text.find_first_of("\r\n"))
        text.erase(at, 1);
    EXPECT_NE(std::string::npos, text.find(ProgramFolder() + "\\orrery-help\\missing-dependencies.html")) << boxes[0].text;
    EXPECT_NE(std::string::npos, boxes[0].text.find(orrery::SystemMessage(ERROR_NO_ASSOCIATION))) << boxes[0].text;
}

// A shell that fails without a reason is not reported as a success.
TEST_F(HelpTest, AFailureWithoutAReasonIsNotToldAsSuccess)
{
    m_shell.openError = 0;
    m_shell.failWithoutReason = true;
    CBoxAnswerer answerer;
    ShowHelp(nullptr, HelpOptions);
    std::vector<CBoxAnswerer::Box> boxes = answerer.TakeBoxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_NE(std::string::npos, boxes[0].text.find("The help page could not be opened:")) << boxes[0].text;
    EXPECT_EQ(std::string::npos, boxes[0].text.find(orrery::SystemMessage(ERROR_SUCCESS))) << boxes[0].text;
    EXPECT_NE(std::string::npos, boxes[0].text.find("Windows gave no reason.")) << boxes[0].text;
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
