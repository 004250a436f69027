// The Win32 side of report generation, on the real file system and with a
// real tree control: temporary files, renaming and writing with the
// system's reasons, the header picture, and the tree's own sort order.
#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/memory_platform.h"
#include "orrery/platform/system_error.h"
#include "orrery/reports/tree_order.h"
#include "orrery/reports/win32_report_environment.h"
#include "orrery/reports/win32_report_files.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <memory>

namespace orrery {
namespace {

// A folder of its own under the system's temporary folder, made for each
// test and made the temporary folder (TMP) of the process.
class Win32ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_savedTmp = Variable("TMP");
        ::SetEnvironmentVariableA("TMP", (folder + "\\").c_str());
        char current[MAX_PATH];
        ::GetCurrentDirectoryA(MAX_PATH, current);
        m_savedDirectory = current;
    }

    void TearDown() override
    {
        ::SetCurrentDirectoryA(m_savedDirectory.c_str());
        ::SetEnvironmentVariableA("TMP", m_savedTmp.empty() ? nullptr : m_savedTmp.c_str());
    }

    static std::string Variable(const char* name)
    {
        char value[MAX_PATH] = "";
        DWORD length = ::GetEnvironmentVariableA(name, value, MAX_PATH);
        return length && length < MAX_PATH ? value : "";
    }

private:
    test_support::TempFolder m_folder;
    std::string m_savedTmp;
    std::string m_savedDirectory;

protected:
    const std::string folder = m_folder.path();
    CWin32ReportFiles files;
};

TEST_F(Win32ReportTest, TemporaryReportFilesAreNamedByTheSystemWithTheExtensionAppended)
{
    std::string directory, path, reason;
    ASSERT_TRUE(files.TemporaryDirectory(&directory, &reason)) << reason;
    EXPECT_EQ(folder + "\\", directory);
    ASSERT_TRUE(files.MakeTemporaryFile(directory, "com", &path, &reason)) << reason;
    EXPECT_EQ(0u, path.find(folder + "\\com"));
    EXPECT_EQ(".tmp", path.substr(path.size() - 4));
    EXPECT_TRUE(test_support::file_exists(path)) << "the system makes the file";

    ASSERT_TRUE(files.Rename(path, path + ".htm", &reason)) << reason;
    EXPECT_FALSE(test_support::file_exists(path));
    std::unique_ptr<CReportOutput> output = files.Create(path + ".htm", &reason);
    ASSERT_TRUE(output) << reason;
    EXPECT_TRUE(output->Write("<html>\r\n"));
    EXPECT_TRUE(output->Write("</html>\r\n"));
    EXPECT_TRUE(output->Close(&reason)) << reason;
    EXPECT_EQ("<html>\r\n</html>\r\n", test_support::read_file(path + ".htm"));
    files.Remove(path + ".htm");
    EXPECT_FALSE(test_support::file_exists(path + ".htm"));
}

TEST_F(Win32ReportTest, FailuresComeWithTheSystemsReason)
{
    std::string path, reason;
    EXPECT_FALSE(files.MakeTemporaryFile(folder + "\\missing\\", "com", &path, &reason));
    EXPECT_FALSE(reason.empty());

    std::string taken = folder + "\\taken.htm";
    std::ofstream(taken) << "x";
    std::ofstream(folder + "\\com.tmp") << "";
    reason.clear();
    EXPECT_FALSE(files.Rename(folder + "\\com.tmp", taken, &reason));
    EXPECT_EQ(orrery::SystemErrorText(ERROR_ALREADY_EXISTS), reason);
    EXPECT_EQ("x", test_support::read_file(taken)) << "an existing file is never replaced by a rename";

    reason.clear();
    EXPECT_FALSE(files.Create(folder + "\\missing\\report.htm", &reason));
    EXPECT_EQ(orrery::SystemErrorText(ERROR_PATH_NOT_FOUND), reason);

    ASSERT_TRUE(::CreateDirectoryA((folder + "\\folder.htm").c_str(), nullptr));
    reason.clear();
    EXPECT_FALSE(files.Create(folder + "\\folder.htm", &reason));
    EXPECT_EQ(orrery::SystemErrorText(ERROR_ACCESS_DENIED), reason);
}

TEST_F(Win32ReportTest, ThePictureIsPutWhereThePageLooksForIt)
{
    ASSERT_TRUE(PlaceReportPicture(folder));
    std::string picture = test_support::read_file(folder + "\\orrery.jpg");
    ASSERT_GT(picture.size(), 1000u);
    EXPECT_EQ("\xFF\xD8\xFF", picture.substr(0, 3)) << "a JPEG file";

    std::ofstream(folder + "\\orrery.jpg", std::ios::binary | std::ios::trunc) << "mine";
    EXPECT_TRUE(PlaceReportPicture(folder));
    EXPECT_EQ("mine", test_support::read_file(folder + "\\orrery.jpg")) << "a picture already there is left alone";

    EXPECT_FALSE(PlaceReportPicture(folder + "\\missing"));
}

TEST_F(Win32ReportTest, ThePageShowsThePictureOfTheCurrentDirectoryOrElseOfTheTemporaryOne)
{
    CMemoryPlatform machine;
    CWin32ReportEnvironment environment(machine.Get());
    std::string work = folder + "\\work";
    ASSERT_TRUE(::CreateDirectoryA(work.c_str(), nullptr));
    ASSERT_TRUE(::SetCurrentDirectoryA(work.c_str()));
    EXPECT_EQ(work, environment.PictureDirectory());
    EXPECT_TRUE(test_support::file_exists(work + "\\orrery.jpg"));

    // A folder that cannot take the picture: here a folder is in its way.
    std::string blocked = folder + "\\blocked";
    ASSERT_TRUE(::CreateDirectoryA(blocked.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryA((blocked + "\\orrery.jpg").c_str(), nullptr));
    ASSERT_TRUE(::SetCurrentDirectoryA(blocked.c_str()));
    EXPECT_EQ(folder, environment.PictureDirectory());
    EXPECT_TRUE(test_support::file_exists(folder + "\\orrery.jpg"));
}

TEST_F(Win32ReportTest, ComputerNameAndDateAreTheMachines)
{
    CMemoryPlatform machine;
    CWin32ReportEnvironment environment(machine.Get());
    char name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof name;
    ASSERT_TRUE(::GetComputerNameA(name, &size));
    EXPECT_EQ(name, environment.ComputerName());
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    std::tm today = environment.Today();
    EXPECT_EQ(now.wYear, today.tm_year + 1900);
    EXPECT_EQ(now.wMonth, today.tm_mon + 1);
    EXPECT_EQ(now.wDay, today.tm_mday);
    EXPECT_EQ(now.wDayOfWeek, today.tm_wday);
}

// The labels of a real tree control's items inserted with TVI_SORT, in the
// order the control keeps them.
std::vector<std::string> TreeControlOrder(const std::vector<std::string>& labels)
{
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&common);
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(labels[i].c_str());
        insert.item.lParam = static_cast<LPARAM>(i);
        ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    std::vector<std::string> order;
    for (HTREEITEM item = TreeView_GetRoot(tree); item; item = TreeView_GetNextSibling(tree, item)) {
        TVITEMA data = {};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
        order.push_back("{" + std::to_string(data.lParam) + "}");
    }
    ::DestroyWindow(tree);
    return order;
}

TEST(TreeOrderOnWindowsTest, MatchesTheTreeControlItemForItem)
{
    const std::vector<std::string> labels = {
        "Orrery.Gauge", "b", "B", "alpha", "a-b", "ab", "a_b", "A.B", "Zeta", "b", "a b", "\xC4pfel",
        "apfel", "Unknown", "1x", "_x", "~x", "a-b", "B", "<script>", "&amp", "\"q\"", "'q'", "dup",
        "dup", "Dup", "dup", ""};
    CMemoryPlatform machine;
    std::vector<std::unique_ptr<CComObject>> owned;
    std::vector<CComObject*> records;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        std::string clsid = "{" + std::to_string(i) + "}";
        machine.registry.SetString("CLSID\\" + clsid + "\\ProgID", "", labels[i]);
        owned.emplace_back(new CDllServer(machine.Get(), clsid));
        records.push_back(owned.back().get());
    }
    std::vector<std::string> expected = labels;
    expected.back() = "Unknown";  // what a class with an empty ProgID value is labelled
    std::vector<std::string> clsids;
    for (CComObject* record : InTreeOrder(records, [](const std::string& a, const std::string& b) {
             return ::lstrcmpA(a.c_str(), b.c_str());
         }))
        clsids.push_back(record->GetClsid());
    EXPECT_EQ(TreeControlOrder(expected), clsids);
}

}  // namespace
}  // namespace orrery
