// orrery.exe -V started as the shell starts it, on a server DLL of the tests'
// own in the test run's registry: the texts of its windows are read back from
// the other process, its tabs are switched with the keyboard, and its
// question and messages are answered.
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/res/resource.h"
#include "orrery/tests/servers/details_server_ids.h"
#include "orrery/tests/servers/test_servers.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

const char kTitle[] = "COM File Details - " DETAILS_PROGID;
const DWORD kProcessTimeout = 60000;

// Memory in another process for the common controls' structure messages,
// which carry pointers that must be valid there.
class CRemoteBuffer {
public:
    static const SIZE_T kSize = 8192;

    explicit CRemoteBuffer(HWND window)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (m_process)
            m_memory = static_cast<char*>(::VirtualAllocEx(m_process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
    }
    ~CRemoteBuffer()
    {
        if (m_memory)
            ::VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    bool IsReady() const { return m_memory != nullptr; }
    char* At(SIZE_T offset) const { return m_memory + offset; }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        ::WriteProcessMemory(m_process, m_memory + offset, data, size, nullptr);
    }
    std::string ReadText(SIZE_T offset) const
    {
        std::vector<char> text(kSize - offset + 1, '\0');
        ::ReadProcessMemory(m_process, m_memory + offset, text.data(), kSize - offset, nullptr);
        return text.data();
    }

private:
    HANDLE m_process = nullptr;
    char* m_memory = nullptr;
};

const SIZE_T kTextOffset = 512;

// Sends control the message with item (a structure that asks for a text)
// placed in buffer, the text's room behind it; returns the text it got.
template <typename Item>
std::string RemoteItemText(CRemoteBuffer& buffer, HWND control, UINT message, WPARAM wp, Item item)
{
    item.pszText = buffer.At(kTextOffset);
    item.cchTextMax = static_cast<int>(CRemoteBuffer::kSize - kTextOffset);
    buffer.Write(0, &item, sizeof item);
    ::SendMessageA(control, message, wp, reinterpret_cast<LPARAM>(buffer.At(0)));
    return buffer.ReadText(kTextOffset);
}

std::string RemoteTabText(HWND tabs, int index)
{
    CRemoteBuffer buffer(tabs);
    if (!buffer.IsReady())
        return "<no remote memory>";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    return RemoteItemText(buffer, tabs, TCM_GETITEMA, index, item);
}

// Each row of a two-column list as "label=value".
std::vector<std::string> RemoteListRows(HWND list)
{
    CRemoteBuffer buffer(list);
    std::vector<std::string> rows;
    int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; buffer.IsReady() && row < count; ++row) {
        std::string texts[2];
        for (int column = 0; column < 2; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            texts[column] = RemoteItemText(buffer, list, LVM_GETITEMTEXTA, row, item);
        }
        rows.push_back(texts[0] + "=" + texts[1]);
    }
    return rows;
}

bool Contains(const std::vector<std::string>& rows, const std::string& row)
{
    for (const std::string& each : rows) {
        if (each == row)
            return true;
    }
    return false;
}

// The child dialog (a page of the details window) that holds a control id.
HWND PageHolding(HWND window, int controlId)
{
    for (HWND page = ::FindWindowExA(window, nullptr, "#32770", nullptr); page;
         page = ::FindWindowExA(window, page, "#32770", nullptr)) {
        if (::GetDlgItem(page, controlId))
            return page;
    }
    return nullptr;
}

class DetailsProcessTest : public ::testing::Test {
protected:
    void TearDown() override { CallServer("DllUnregisterServer"); }

    static std::string ServerPath() { return TestServerPath(kDetailsServer); }

    static void CallServer(const char* entryPoint) { EXPECT_EQ(S_OK, CallTestServer(kDetailsServer, entryPoint)); }

    // Starts orrery.exe with the command line the shell verb makes and answers
    // its windows with driver until it ends.
    static void RunOrrery(const std::string& arguments, CDialogDriver& driver)
    {
        std::string commandLine = "\"" + ProgramFolder() + "\\orrery.exe\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process))
            << commandLine;
        bool ended = driver.RunProcess(process.hProcess, process.dwProcessId, kProcessTimeout);
        if (!ended)
            ::TerminateProcess(process.hProcess, 1);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        EXPECT_TRUE(ended) << "orrery.exe " << arguments << " did not end";
        EXPECT_EQ(0u, driver.Pending());
        EXPECT_TRUE(driver.Unexpected().empty()) << driver.Unexpected().front();
    }
};

TEST_F(DetailsProcessTest, ShowsTheDetailsOfARegisteredServerOnEachTab)
{
    CallServer("DllRegisterServer");
    std::string title;
    std::vector<std::string> tabTexts;
    std::vector<std::string> attributes;
    std::vector<bool> pagesShown;
    LRESULT keyCount = 0;
    LRESULT dependencyCount = 0;
    CDialogDriver driver;
    driver.Expect(kTitle, [&](HWND window) {
        char text[256] = "";
        ::GetWindowTextA(window, text, sizeof text);
        title = text;
        HWND tabs = ::GetDlgItem(window, IDC_DETAILS_TABS);
        for (int tab = 0; tab < 3; ++tab)
            tabTexts.push_back(RemoteTabText(tabs, tab));
        HWND list = ::GetDlgItem(window, IDC_DETAILS_ATTRIBUTES);
        attributes = RemoteListRows(list);
        HWND dependencies = PageHolding(window, IDC_DEPENDENCY_TREE);
        HWND registry = PageHolding(window, IDC_REGISTRY_TREE);
        for (int step = 0; step < 3; ++step) {
            pagesShown.push_back(::IsWindowVisible(list) != FALSE);
            pagesShown.push_back(::IsWindowVisible(dependencies) != FALSE);
            pagesShown.push_back(::IsWindowVisible(registry) != FALSE);
            ::SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 0);
        }
        HWND keys = ::GetDlgItem(registry, IDC_REGISTRY_TREE);
        keyCount = ::SendMessageA(keys, TVM_GETCOUNT, 0, 0);
        dependencyCount = ::SendMessageA(::GetDlgItem(dependencies, IDC_DEPENDENCY_TREE), TVM_GETCOUNT, 0, 0);
        CDialogDriver::Press(IDOK)(window);
    });
    RunOrrery("-V " + ServerPath(), driver);

    EXPECT_EQ(kTitle, title);
    EXPECT_EQ((std::vector<std::string>{"Attributes", "Dependencies", "Registry Entries"}), tabTexts);
    EXPECT_TRUE(Contains(attributes, "ProgID=" DETAILS_PROGID)) << attributes.size();
    EXPECT_TRUE(Contains(attributes, "CLSID=" DETAILS_CLSID));
    EXPECT_TRUE(Contains(attributes, "Status=File Exists"));
    EXPECT_TRUE(Contains(attributes, "File Version=2.1.0.7"));
    EXPECT_EQ((std::vector<bool>{true, false, false, false, true, false, false, false, true}), pagesShown);
    EXPECT_GE(dependencyCount, 2) << "the server imports KERNEL32.dll and ADVAPI32.dll at least";
    EXPECT_GE(keyCount, 10) << "HKEY_CLASSES_ROOT, CLSID, the class, its five keys, the ProgID and its key";
}

TEST_F(DetailsProcessTest, AsksBeforeRegisteringAnUnregisteredServer)
{
    std::string question;
    CDialogDriver declined;
    declined.Expect("Confirm Registeration", CDialogDriver::Read(&question, IDNO));
    RunOrrery("-v " + ServerPath(), declined);
    EXPECT_NE(std::string::npos, question.find("Does not seem to be registered.\n\nWould you like to register it now?"))
        << question;
    EXPECT_NE(std::string::npos, question.find("TEST-SERVERS\\ORRERY_DETAILS_SERVER.DLL"))
        << "the path as the command line gives it, upper-cased: " << question;

    std::string registered;
    CDialogDriver accepted;
    accepted.Expect("Confirm Registeration", CDialogDriver::Press(IDYES));
    accepted.Expect("Orrery", CDialogDriver::Read(&registered, IDOK));
    accepted.Expect(kTitle, CDialogDriver::Press(IDOK));
    RunOrrery("-V " + ServerPath(), accepted);
    EXPECT_NE(std::string::npos, registered.find("Registered Successfully !")) << registered;
}

TEST_F(DetailsProcessTest, TellsWhenTheFileDoesNotExist)
{
    std::string message;
    CDialogDriver driver;
    driver.Expect("Orrery", CDialogDriver::Read(&message, IDOK));
    RunOrrery("-V \"C:\\No Such Folder\\gone.ocx\"", driver);
    EXPECT_EQ("The control located in: C:\\NO SUCH FOLDER\\GONE.OCX\n\nDoes not exist. Unable to display control details.",
              message);
}

} // namespace
