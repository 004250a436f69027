// Reports of the prefix's own classes: the dialog writes every object the
// tree shows, and orrery-report.exe writes the same bytes for the same
// choices (the date aside).
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/program_state.h"
#include "orrery/app/report_launch.h"
#include "orrery/app/tests/report_test_support.h"
#include "orrery/reports/report_dlg.h"
#include "orrery/reports/win32_report_environment.h"
#include "orrery/reports/win32_report_files.h"
#include "orrery/tests/console_program.h"
#include "orrery/tests/servers/test_servers.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

// The report without its date line.
std::string WithoutDate(const std::string& report)
{
    std::string kept;
    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find(" Generated On: ") == 0 || line.find("; File was genearted on: ") == 0)
            continue;
        kept += line + "\n";
    }
    return kept;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

// Runs orrery-report.exe from the test's own folder; returns its exit code.
DWORD RunReportTool(const std::string& arguments)
{
    return RunConsoleProgram("\"" + ProgramFolder() + "\\orrery-report.exe\" " + arguments, false).exitCode;
}

class LiveReportTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow(true);
    }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_folder.reset(new CTemporaryFolder);
        m_toolOutput = m_folder->Path() + "\\tool.out";
    }

    void TearDown() override
    {
        CloseDialog();
        m_folder.reset();
    }

    void CloseDialog()
    {
        if (m_dialog)
            m_dialog->DestroyWindow();
        m_dialog.reset();
    }

    // Opens the dialog over the objects the tree shows on this tab.
    void OpenTab(int tab)
    {
        Tree().SelectTab(tab);
        objects = ShownRecords(Tree());
        m_dialog.reset(new CReportDlg(objects, Tree().CurrentTabText(), m_environment, m_files));
        m_dialog->openReport = [](HWND, const std::string&, std::string*) { return true; };
        ASSERT_TRUE(m_dialog->Create(Frame().GetSafeHwnd()));
    }

    // Writes the report from the dialog with only the attributes kept, and
    // returns its bytes.
    std::string FromDialog(orrery::ReportFormat format, const std::vector<int>& kept, bool misbehaved = true,
                           bool dependencies = false)
    {
        HWND dialog = m_dialog->GetSafeHwnd();
        ::SendMessageA(::GetDlgItem(dialog, IDC_REPORT_FORMAT), CB_SETCURSEL, format, 0);
        HWND list = ::GetDlgItem(dialog, IDC_REPORT_ATTRIBUTES);
        ::SendMessageA(list, LB_SETSEL, FALSE, -1);
        for (int entry = 0; entry < 19; ++entry) {
            if (std::find(kept.begin(), kept.end(), entry) == kept.end())
                ::SendMessageA(list, LB_SETSEL, TRUE, entry);
        }
        ::SendMessageA(dialog, WM_COMMAND, IDC_REPORT_REMOVE, 0);
        ::CheckDlgButton(dialog, IDC_REPORT_MISBEHAVED, misbehaved ? BST_CHECKED : BST_UNCHECKED);
        ::CheckDlgButton(dialog, IDC_REPORT_DEPENDENCIES, dependencies ? BST_CHECKED : BST_UNCHECKED);
        ::SendMessageA(dialog, WM_COMMAND, IDC_REPORT_GENERATE, 0);
        EXPECT_FALSE(m_dialog->ReportPath().empty());
        return test_support::read_file(m_dialog->ReportPath());
    }

    std::string FromTool(const std::string& arguments)
    {
        EXPECT_EQ(0u, RunReportTool(arguments + " \"" + m_toolOutput + "\""));
        return test_support::read_file(m_toolOutput);
    }

    std::vector<orrery::CComObject*> objects;

private:
    orrery::CWin32ReportEnvironment m_environment{::Machine()};
    orrery::CWin32ReportFiles m_files;
    std::unique_ptr<CReportDlg> m_dialog;
    std::unique_ptr<CTemporaryFolder> m_folder;
    std::string m_toolOutput;
};

TEST_F(LiveReportTest, EveryShownDllServerIsOneLineAndTheToolWritesTheSameBytes)
{
    OpenTab(1);
    ASSERT_GT(objects.size(), 50u) << "a Wine prefix registers many DLL servers";
    std::vector<int> all;
    for (int id = 0; id < 19; ++id)
        all.push_back(id);
    std::string report = FromDialog(orrery::ReportCommaDelimited, all);
    std::vector<std::string> lines = Lines(report);
    ASSERT_EQ(7 + objects.size(), lines.size());
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string& line = lines[7 + i];
        std::string clsid = objects[i]->GetClsid();
        EXPECT_NE(std::string::npos, line.find("," + clsid + ",")) << line;
        EXPECT_EQ("\r", line.substr(line.size() - 1));
    }
    EXPECT_EQ(WithoutDate(report), WithoutDate(FromTool("--category dll")));
}

TEST_F(LiveReportTest, TheToolWritesTheDialogsPagesForTheSameChoices)
{
    OpenTab(0);
    EXPECT_EQ(WithoutDate(FromDialog(orrery::ReportFormatted, {0, 5, 6}, false)),
              WithoutDate(FromTool("--format formatted --well-behaved-only --attributes 0,5,6")));
    CloseDialog();
    OpenTab(2);
    ASSERT_FALSE(objects.empty());
    EXPECT_EQ(WithoutDate(FromDialog(orrery::ReportPlain, {0, 6, 13}, true, true)),
              WithoutDate(FromTool("--category exe --format plain --deps --attributes 0,6,13")));
}

} // namespace
