#include "orrery/app/program_state.h"
#include "orrery/platform/memory_platform.h"
#include "orrery/reports/compare_command.h"
#include "orrery/reports/compare_dlg.h"
#include "orrery/reports/tests/compared_labels.h"
#include "orrery/reports/tests/win32/window_driver.h"
#include "orrery/res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

namespace {

const DWORD kWaitMs = 10000;
const char kCaption[] = "Compare COM Files";
const char kNotSelected[] = "Second File was not selected yet.";
const char kIdentical[] = "Files have identical attributes.";
const char kDifferent[] = "Files have differnet attributes.";

std::vector<std::string> Column(const std::vector<ListRow>& rows, size_t column)
{
    std::vector<std::string> cells;
    for (const ListRow& row : rows)
        cells.push_back(row.cells.at(column));
    return cells;
}

std::vector<int> Images(const std::vector<ListRow>& rows)
{
    std::vector<int> images;
    for (const ListRow& row : rows)
        images.push_back(row.image);
    return images;
}

std::string SystemFile(const char* name)
{
    char directory[MAX_PATH] = "";
    ::GetSystemDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

HWND List(HWND dialog)
{
    return ::GetDlgItem(dialog, IDC_COMPARE_LIST);
}

// The dialog over files of an in-memory machine, shown modelessly so that
// the test drives it from its own thread.
class CompareDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&common);
        orrery::CFileEntry entry;
        entry.size = 4096;
        entry.created = orrery::MakeFileTime(2003, 1, 2, 3, 4, 5);
        entry.lastWritten = entry.created;
        machine.files.AddFile("C:\\lib\\gauge.ocx", entry);
        machine.files.AddFile("C:\\old\\gauge.ocx", 2048);
        orrery::CVersionFixture version;
        version.strings = {{"FileDescription", "Gauge Control"}, {"FileVersion", "1.0"}};
        machine.versions.SetVersion("C:\\lib\\gauge.ocx", version);
        UseMachine(&machine.Get());
    }
    void TearDown() override { UseMachine(nullptr); }

    orrery::CMemoryPlatform machine;
};

TEST_F(CompareDialogTest, OpensWithTheFirstFileAndNoRowsYet)
{
    CCompareDlg dialog("C:\\lib\\gauge.ocx");
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.GetSafeHwnd();
    EXPECT_EQ(kCaption, WindowTextOf(window));
    EXPECT_EQ("C:\\lib\\gauge.ocx", ControlText(window, IDC_COMPARE_FIRST_FILE));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_COMPARE_FIRST_FILE)));
    EXPECT_EQ(::GetDlgItem(window, IDC_COMPARE_SECOND_FILE), ::GetFocus());
    EXPECT_EQ("", ControlText(window, IDC_COMPARE_SECOND_FILE));
    EXPECT_EQ(kNotSelected, ControlText(window, IDC_COMPARE_VERDICT));
    EXPECT_EQ((std::vector<std::string>{"Attribute", "File 1", "File 2"}), ListViewColumnTitles(List(window), 3));
    EXPECT_TRUE(ListViewRows(List(window), 3).empty());
    EXPECT_EQ("&Browse", ControlText(window, IDC_COMPARE_BROWSE));
    EXPECT_EQ("&Help", ControlText(window, IDC_COMPARE_HELP));

    // The columns share the list's width a quarter and twice a third or so.
    RECT rect;
    ::GetWindowRect(List(window), &rect);
    int width = rect.right - rect.left;
    EXPECT_EQ(static_cast<int>(0.25 * width), ListView_GetColumnWidth(List(window), 0));
    EXPECT_EQ(static_cast<int>(0.35 * width), ListView_GetColumnWidth(List(window), 1));
    EXPECT_EQ(static_cast<int>(0.35 * width), ListView_GetColumnWidth(List(window), 2));
    dialog.DestroyWindow();
}

TEST_F(CompareDialogTest, EachComparisonReplacesTheTwelveRowsAndTheVerdict)
{
    CCompareDlg dialog("C:\\lib\\gauge.ocx");
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.GetSafeHwnd();

    dialog.CompareWith("C:\\lib\\gauge.ocx");
    std::vector<ListRow> rows = ListViewRows(List(window), 3);
    EXPECT_EQ(kComparedLabels, Column(rows, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}), Images(rows));
    EXPECT_EQ(Column(rows, 1), Column(rows, 2));
    EXPECT_EQ("4096 Bytes", rows[0].cells[1]);
    EXPECT_EQ("Gauge Control", rows[4].cells[2]);
    EXPECT_EQ(kIdentical, ControlText(window, IDC_COMPARE_VERDICT));
    EXPECT_EQ("C:\\lib\\gauge.ocx", ControlText(window, IDC_COMPARE_SECOND_FILE));

    dialog.CompareWith("C:\\old\\gauge.ocx");
    rows = ListViewRows(List(window), 3);
    ASSERT_EQ(12u, rows.size());
    EXPECT_EQ(kComparedLabels, Column(rows, 0));
    EXPECT_EQ((std::vector<int>{2, 2, 2, 2, 2, 1, 2, 1, 1, 1, 1, 1}), Images(rows));
    EXPECT_EQ("2048 Bytes", rows[0].cells[2]);
    EXPECT_EQ("", rows[4].cells[2]);
    EXPECT_EQ(kDifferent, ControlText(window, IDC_COMPARE_VERDICT));
    EXPECT_EQ("C:\\old\\gauge.ocx", ControlText(window, IDC_COMPARE_SECOND_FILE));
    dialog.DestroyWindow();
}

TEST_F(CompareDialogTest, APathTypedByHandIsNotCompared)
{
    CCompareDlg dialog("C:\\lib\\gauge.ocx");
    ASSERT_TRUE(dialog.Create(nullptr));
    HWND window = dialog.GetSafeHwnd();
    SetControlText(window, IDC_COMPARE_SECOND_FILE, "C:\\old\\gauge.ocx");
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_COMPARE_SECOND_FILE, EN_CHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_COMPARE_SECOND_FILE)));
    EXPECT_TRUE(ListViewRows(List(window), 3).empty());
    EXPECT_EQ(kNotSelected, ControlText(window, IDC_COMPARE_VERDICT));
    dialog.DestroyWindow();
}

// What the driving thread saw of a modal run.
struct ModalRun {
    bool opened = false;
    HWND owner = nullptr;
    std::string firstFile;
    std::string focusId;
    bool fileDialogOpened = false;
    std::string filter;
    std::string folder;
    std::string verdict;
    std::string secondFile;
    std::vector<ListRow> rows;
    std::string verdictAfterCancel;
    size_t rowsAfterCancel = 0;
    bool closed = false;
};

// Waits for the dialog, picks secondFile with Browse and the real open-file
// dialog, reads the outcome, with browseAgain browses once more and cancels,
// then ends the dialog with OK.
void DriveModalCompare(ModalRun* run, const std::string& secondFile, bool browseAgain)
{
    HWND dialog = WaitForWindow(::GetCurrentProcessId(), kCaption, kWaitMs);
    if (!dialog)
        return;
    run->opened = true;
    run->owner = ::GetWindow(dialog, GW_OWNER);
    run->firstFile = ControlText(dialog, IDC_COMPARE_FIRST_FILE);
    GUITHREADINFO input = {};
    input.cbSize = sizeof input;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &input);
    run->focusId = std::to_string(::GetDlgCtrlID(input.hwndFocus));

    Click(dialog, IDC_COMPARE_BROWSE);
    HWND files = WaitForWindow(::GetCurrentProcessId(), "Compared COM File", kWaitMs);
    if (files) {
        run->fileDialogOpened = true;
        run->filter = FileDialogFilter(files);
        run->folder = FileDialogFolder(files);
        ChooseInFileDialog(files, secondFile);
        WaitUntilGone(files, kWaitMs);
    }
    for (DWORD waited = 0; waited < kWaitMs && ControlText(dialog, IDC_COMPARE_VERDICT) == kNotSelected;
         waited += 50)
        ::Sleep(50);
    run->verdict = ControlText(dialog, IDC_COMPARE_VERDICT);
    run->secondFile = ControlText(dialog, IDC_COMPARE_SECOND_FILE);
    run->rows = ListViewRows(List(dialog), 3);

    if (browseAgain) {
        Click(dialog, IDC_COMPARE_BROWSE);
        files = WaitForWindow(::GetCurrentProcessId(), "Compared COM File", kWaitMs);
        if (files) {
            Click(files, IDCANCEL);
            WaitUntilGone(files, kWaitMs);
        }
        run->verdictAfterCancel = ControlText(dialog, IDC_COMPARE_VERDICT);
        run->rowsAfterCancel = ListViewRows(List(dialog), 3).size();
    }

    Click(dialog, IDOK);
    run->closed = WaitUntilGone(dialog, kWaitMs);
}

// The real files of the Wine prefix, picked with the real open-file dialog.
TEST(CompareDialogOnRealFiles, BrowsingForTheSameFileShowsIdenticalAttributes)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    const std::string file = SystemFile("comctl32.dll");
    ModalRun run;
    std::thread driver(DriveModalCompare, &run, file, true);
    CCompareDlg dialog(file);
    INT_PTR result = dialog.DoModal(nullptr);
    driver.join();

    ASSERT_TRUE(run.opened);
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(run.closed);
    EXPECT_EQ(file, run.firstFile);
    EXPECT_EQ(std::to_string(IDC_COMPARE_SECOND_FILE), run.focusId);
    ASSERT_TRUE(run.fileDialogOpened);
    EXPECT_EQ("COM Files(*.OCX,*.DLL, *.EXE)", run.filter);
    EXPECT_EQ("system32", run.folder);
    EXPECT_EQ(kIdentical, run.verdict);
    EXPECT_EQ(file, run.secondFile);
    ASSERT_EQ(12u, run.rows.size());
    EXPECT_EQ(kComparedLabels, Column(run.rows, 0));
    EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1}), Images(run.rows));
    EXPECT_NE("", run.rows[0].cells[1]);
    EXPECT_NE("", run.rows[6].cells[1]) << "Wine's DLLs carry a file version";
    EXPECT_EQ(kIdentical, run.verdictAfterCancel);
    EXPECT_EQ(12u, run.rowsAfterCancel);
}

TEST(CompareDialogOnRealFiles, BrowsingForAnotherFileMarksTheRowsThatDiffer)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    const std::string first = SystemFile("comctl32.dll");
    const std::string second = SystemFile("ole32.dll");
    ModalRun run;
    std::thread driver(DriveModalCompare, &run, second, false);
    CCompareDlg dialog(first);
    dialog.DoModal(nullptr);
    driver.join();

    ASSERT_TRUE(run.opened);
    EXPECT_EQ(kDifferent, run.verdict);
    ASSERT_EQ(12u, run.rows.size());
    EXPECT_EQ(kComparedLabels, Column(run.rows, 0));
    std::vector<std::string> differing;
    for (const ListRow& row : run.rows) {
        EXPECT_EQ(row.cells[1] != row.cells[2] ? 2 : (row.cells[0] == "File Size" ||
                                                     row.cells[0] == "Created" ||
                                                     row.cells[0] == "Last Modified" ||
                                                     row.cells[0] == "Accessed"
                                                         ? 0
                                                         : 1),
                  row.image)
            << row.cells[0];
        if (row.cells[1] != row.cells[2])
            differing.push_back(row.cells[0]);
    }
    EXPECT_NE(differing.end(), std::find(differing.begin(), differing.end(), "File Size"));
    EXPECT_NE(differing.end(), std::find(differing.begin(), differing.end(), "Original Filename"));
}

TEST(CompareOperation, AFileThatDoesNotExistIsToldWithoutOwnerAndNoDialogOpens)
{
    SeenBox box = RunAnsweringBox([] { RunCompareOperation("C:\\NO SUCH\\FILE.DLL"); }, "Orrery", kWaitMs);
    ASSERT_TRUE(box.found);
    EXPECT_EQ("The file was not found:\n\nC:\\NO SUCH\\FILE.DLL", box.text);
    EXPECT_EQ(nullptr, box.owner);

    char directory[MAX_PATH] = "";
    ::GetSystemDirectoryA(directory, sizeof directory);
    box = RunAnsweringBox([&] { RunCompareOperation(directory); }, "Orrery", kWaitMs);
    EXPECT_EQ(std::string("The file was not found:\n\n") + directory, box.text) << "a folder is no file";
}

TEST(CompareOperation, AQuotedPathWithBlanksOpensTheDialogOnThatFile)
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "orrery compare test";
    std::string file = folder + "\\a b c.dll";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA(SystemFile("comctl32.dll").c_str(), file.c_str(), FALSE));

    std::string firstFile;
    HWND owner = reinterpret_cast<HWND>(1);
    std::thread reader([&] {
        HWND dialog = WaitForWindow(::GetCurrentProcessId(), kCaption, kWaitMs);
        if (!dialog)
            return;
        firstFile = ControlText(dialog, IDC_COMPARE_FIRST_FILE);
        owner = ::GetWindow(dialog, GW_OWNER);
        Click(dialog, IDCANCEL);
        WaitUntilGone(dialog, kWaitMs);
    });
    RunCompareOperation("\"" + file + "\"  ");
    reader.join();
    EXPECT_EQ(file, firstFile);
    EXPECT_EQ(nullptr, owner);
    ::DeleteFileA(file.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace
