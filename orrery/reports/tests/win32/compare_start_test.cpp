// "orrery.exe -C file" as the shell verb starts it: the real program, in a
// process of its own, driven and read from here.
#include "orrery/reports/tests/win32/window_driver.h"
#include "orrery/res/resource.h"
#include "orrery/tests/servers/test_servers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD kWaitMs = 20000;

std::string ProgramPath()
{
    return ProgramFolder() + "\\orrery.exe";
}

// Chooses path in the open-file dialog files, then waits for the compare
// dialog's verdict: its text, or what the dialog still says after the wait.
std::string ChooseSecondFile(HWND files, HWND dialog, const std::string& path)
{
    ChooseInFileDialog(files, path);
    EXPECT_TRUE(WaitUntilGone(files, kWaitMs)) << "the file dialog closes";
    std::string verdict = ControlText(dialog, IDC_COMPARE_VERDICT);
    for (DWORD waited = 0; waited < kWaitMs && verdict.find("Files") != 0; waited += 50) {
        ::Sleep(50);
        verdict = ControlText(dialog, IDC_COMPARE_VERDICT);
    }
    return verdict;
}

// A copy of a file in a temporary folder with blanks in its name and its
// own, removed when the test is done.
class CCopyWithBlanks {
public:
    explicit CCopyWithBlanks(const std::string& source)
    {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(sizeof temp, temp);
        m_folder = std::string(temp) + "orrery compare start";
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
        m_path = m_folder + "\\first server.dll";
        m_copied = ::CopyFileA(source.c_str(), m_path.c_str(), FALSE) != 0;
    }
    ~CCopyWithBlanks()
    {
        ::DeleteFileA(m_path.c_str());
        ::RemoveDirectoryA(m_folder.c_str());
    }
    CCopyWithBlanks(const CCopyWithBlanks&) = delete;
    CCopyWithBlanks& operator=(const CCopyWithBlanks&) = delete;

    bool Copied() const { return m_copied; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_folder;
    std::string m_path;
    bool m_copied = false;
};

std::string UpperCase(std::string text)
{
    ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// orrery.exe started with a command line; ended when the test is done.
class CProgram {
public:
    explicit CProgram(const std::string& arguments)
    {
        std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        m_started = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &m_process) != 0;
    }
    ~CProgram()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
            ::TerminateProcess(m_process.hProcess, 1);
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    bool Started() const { return m_started; }
    DWORD Id() const { return m_process.dwProcessId; }
    bool Ended(DWORD waitMs) const { return ::WaitForSingleObject(m_process.hProcess, waitMs) == WAIT_OBJECT_0; }
    // Whether the program showed a window of this caption.
    bool HasWindow(const std::string& caption) const { return WaitForWindow(Id(), caption, 0) != nullptr; }

private:
    bool m_started = false;
    PROCESS_INFORMATION m_process = {};
};

// The shell verb's command line: -C and the path, not quoted, here with
// blanks in it.
TEST(CompareStart, OpensTheCompareDialogAloneAndComparesWithTheBrowsedFile)
{
    CCopyWithBlanks first(TestServerPath(kSelfRegisteringServer));
    ASSERT_TRUE(first.Copied());
    const std::string second = TestServerPath(kDetailsServer);
    CProgram program("-c " + first.Path());
    ASSERT_TRUE(program.Started());

    HWND dialog = WaitForWindow(program.Id(), "Compare COM Files", kWaitMs);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(nullptr, ::GetWindow(dialog, GW_OWNER));
    EXPECT_FALSE(program.HasWindow("Tarnwick Orrery 1.61")) << "no main window";
    EXPECT_EQ(UpperCase(first.Path()), ControlText(dialog, IDC_COMPARE_FIRST_FILE))
        << "the command line is upper-cased";
    EXPECT_EQ("Second File was not selected yet.", ControlText(dialog, IDC_COMPARE_VERDICT));
    HWND list = ::GetDlgItem(dialog, IDC_COMPARE_LIST);
    EXPECT_EQ((std::vector<std::string>{"Attribute", "File 1", "File 2"}), ListViewColumnTitles(list, 3));

    Click(dialog, IDC_COMPARE_BROWSE);
    HWND files = WaitForWindow(program.Id(), "Compared COM File", kWaitMs);
    ASSERT_NE(nullptr, files);
    EXPECT_EQ("COM Files(*.OCX,*.DLL, *.EXE)", FileDialogFilter(files));
    EXPECT_EQ("Files have differnet attributes.", ChooseSecondFile(files, dialog, second));
    EXPECT_EQ(second, ControlText(dialog, IDC_COMPARE_SECOND_FILE));
    std::vector<ListRow> rows = ListViewRows(list, 3);
    ASSERT_EQ(12u, rows.size());
    const std::vector<std::vector<std::string>> versionRows = {
        {"File Description", "Orrery test server", "Orrery details test control"},
        {"Company Name", "Tarnwick", "Tarnwick"},
        {"File Version", "1.2.3.4", "2.1.0.7"},
        {"Internal Name", "orrery_test_server", "orrery_details_server"},
        {"Legal Copyright", "Copyright (C) Tarnwick", "Copyright (C) Tarnwick"},
        {"Original Filename", "orrery_test_server.dll", "orrery_details_server.dll"},
        {"Product Name", "Orrery Test Servers", "Orrery Test Servers"},
        {"Product Version", "1.2", "2.1"}};
    const std::vector<int> versionImages = {2, 1, 2, 2, 1, 2, 1, 2};
    for (size_t i = 0; i < versionRows.size(); ++i) {
        EXPECT_EQ(versionRows[i], rows[4 + i].cells);
        EXPECT_EQ(versionImages[i], rows[4 + i].image) << versionRows[i][0];
    }
    EXPECT_EQ("File Size", rows[0].cells[0]);
    EXPECT_NE(rows[0].cells[1], rows[0].cells[2]);
    EXPECT_EQ(2, rows[0].image);

    Click(dialog, IDOK);
    EXPECT_TRUE(program.Ended(kWaitMs)) << "the program ends with its one operation";
}

TEST(CompareStart, AServerComparedWithItselfHasIdenticalAttributes)
{
    const std::string server = TestServerPath(kDetailsServer);
    CProgram program("-C " + server);
    ASSERT_TRUE(program.Started());
    HWND dialog = WaitForWindow(program.Id(), "Compare COM Files", kWaitMs);
    ASSERT_NE(nullptr, dialog);
    Click(dialog, IDC_COMPARE_BROWSE);
    HWND files = WaitForWindow(program.Id(), "Compared COM File", kWaitMs);
    ASSERT_NE(nullptr, files);
    EXPECT_EQ("Files have identical attributes.", ChooseSecondFile(files, dialog, server));
    std::vector<ListRow> rows = ListViewRows(::GetDlgItem(dialog, IDC_COMPARE_LIST), 3);
    ASSERT_EQ(12u, rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].cells[1], rows[i].cells[2]) << rows[i].cells[0];
        EXPECT_EQ(i < 4 ? 0 : 1, rows[i].image) << rows[i].cells[0];
    }
    EXPECT_EQ("2.1.0.7", rows[6].cells[1]);
    Click(dialog, IDCANCEL);
    EXPECT_TRUE(program.Ended(kWaitMs));
}

TEST(CompareStart, AFileThatDoesNotExistIsToldAndTheProgramEnds)
{
    CProgram program("-C C:\\NO SUCH FOLDER\\GONE.OCX");
    ASSERT_TRUE(program.Started());
    SeenBox box = AnswerMessageBox(program.Id(), "Orrery", kWaitMs);
    ASSERT_TRUE(box.found);
    EXPECT_EQ("The file was not found:\n\nC:\\NO SUCH FOLDER\\GONE.OCX", box.text);
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_TRUE(program.Ended(kWaitMs));
    EXPECT_FALSE(program.HasWindow("Compare COM Files"));
}

} // namespace
