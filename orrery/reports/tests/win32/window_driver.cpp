#include "orrery/reports/tests/win32/window_driver.h"

#include "tests/support/process_windows.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

const DWORD kPollMs = 20;
const UINT kAnswerMs = 1000;

// The ids of the open-file dialog's own controls.
const int kFileNameCombo = 0x47c;
const int kFileNameEdit = 0x480;
const int kFileTypeCombo = 0x470;
const int kFolderCombo = 0x471;

const char kDialogClass[] = "#32770";

struct Search {
    DWORD processId;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    Search& search = *reinterpret_cast<Search*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId != search.processId || !::IsWindowVisible(window) || test_support::class_of(window) != kDialogClass ||
        WindowTextOf(window) != *search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// Memory the list view of another process can write into and we can read.
class CRemoteBuffer {
public:
    CRemoteBuffer(HWND window, size_t size) : m_size(size)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId == ::GetCurrentProcessId()) {
            m_local.resize(size);
            m_address = m_local.data();
            return;
        }
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (m_process)
            m_address = ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~CRemoteBuffer()
    {
        if (m_process) {
            if (m_address)
                ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
            ::CloseHandle(m_process);
        }
    }
    CRemoteBuffer(const CRemoteBuffer&) = delete;
    CRemoteBuffer& operator=(const CRemoteBuffer&) = delete;

    void* Address() const { return m_address; }
    char* At(size_t offset) const { return static_cast<char*>(m_address) + offset; }
    void Write(size_t offset, const void* data, size_t size)
    {
        if (m_process)
            ::WriteProcessMemory(m_process, At(offset), data, size, nullptr);
        else
            std::copy_n(static_cast<const char*>(data), size, At(offset));
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        if (m_process)
            ::ReadProcessMemory(m_process, At(offset), data, size, nullptr);
        else
            std::copy_n(At(offset), size, static_cast<char*>(data));
    }

private:
    size_t m_size;
    std::vector<char> m_local;
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

const size_t kTextSize = 1024;

std::string ListCell(HWND list, CRemoteBuffer& buffer, int row, int column, int* image)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = buffer.At(sizeof item);
    item.cchTextMax = kTextSize;
    buffer.Write(0, &item, sizeof item);
    DWORD_PTR answered = 0;
    ::SendMessageTimeoutA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(buffer.Address()), SMTO_ABORTIFHUNG,
                          kAnswerMs, &answered);
    buffer.Read(0, &item, sizeof item);
    if (image)
        *image = item.iImage;
    char text[kTextSize] = "";
    buffer.Read(sizeof item, text, sizeof text);
    text[kTextSize - 1] = '\0';
    return text;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM data)
{
    std::string& text = *reinterpret_cast<std::string*>(data);
    if (test_support::class_of(child) == "Static") {
        std::string part = WindowTextOf(child);
        if (!part.empty())
            text += (text.empty() ? "" : "\n") + part;
    }
    return TRUE;
}

// The texts of a box's static controls (the icon has none).
std::string MessageText(HWND box)
{
    std::string text;
    ::EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

// Answers the first box with caption, until the action is done (a box it
// showed would have been seen by then) or waitMs have passed.
void FindBox(SeenBox* seen, const std::string& caption, const std::atomic<bool>& done, DWORD waitMs)
{
    DWORD start = ::GetTickCount();
    while (!done && ::GetTickCount() - start <= waitMs) {
        if (WaitForWindow(::GetCurrentProcessId(), caption, 0)) {
            *seen = AnswerMessageBox(::GetCurrentProcessId(), caption, waitMs);
            return;
        }
        ::Sleep(kPollMs);
    }
}

} // namespace

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        Search search = {processId, &caption, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (::GetTickCount() - start > timeoutMs)
            return nullptr;
        ::Sleep(kPollMs);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (::IsWindow(window)) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
    return true;
}

std::string ControlText(HWND dialog, int id)
{
    return WindowTextOf(::GetDlgItem(dialog, id));
}


void SetControlText(HWND dialog, int id, const std::string& text)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, kAnswerMs, &result);
}

void Click(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::vector<ListRow> ListViewRows(HWND list, int columns)
{
    std::vector<ListRow> rows;
    DWORD_PTR count = 0;
    ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &count);
    CRemoteBuffer buffer(list, sizeof(LVITEMA) + kTextSize);
    if (!buffer.Address())
        return rows;
    for (int row = 0; row < static_cast<int>(count); ++row) {
        ListRow read;
        for (int column = 0; column < columns; ++column)
            read.cells.push_back(ListCell(list, buffer, row, column, column == 0 ? &read.image : nullptr));
        rows.push_back(read);
    }
    return rows;
}

std::vector<std::string> ListViewColumnTitles(HWND list, int columns)
{
    std::vector<std::string> titles;
    CRemoteBuffer buffer(list, sizeof(LVCOLUMNA) + kTextSize);
    if (!buffer.Address())
        return titles;
    for (int index = 0; index < columns; ++index) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = buffer.At(sizeof column);
        column.cchTextMax = kTextSize;
        buffer.Write(0, &column, sizeof column);
        DWORD_PTR answered = 0;
        ::SendMessageTimeoutA(list, LVM_GETCOLUMNA, index, reinterpret_cast<LPARAM>(buffer.Address()),
                              SMTO_ABORTIFHUNG, kAnswerMs, &answered);
        char text[kTextSize] = "";
        if (answered)
            buffer.Read(sizeof column, text, sizeof text);
        text[kTextSize - 1] = '\0';
        titles.push_back(text);
    }
    return titles;
}

void ChooseInFileDialog(HWND fileDialog, const std::string& path)
{
    HWND name = ::GetDlgItem(fileDialog, kFileNameCombo);
    if (!name)
        name = ::GetDlgItem(fileDialog, kFileNameEdit);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), SMTO_ABORTIFHUNG,
                          kAnswerMs, &result);
    Click(fileDialog, IDOK);
}

std::string FileDialogFilter(HWND fileDialog)
{
    return ControlText(fileDialog, kFileTypeCombo);
}

std::string FileDialogFolder(HWND fileDialog)
{
    return ControlText(fileDialog, kFolderCombo);
}

SeenBox AnswerMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    SeenBox seen;
    HWND box = WaitForWindow(processId, caption, timeoutMs);
    if (!box)
        return seen;
    seen.found = true;
    seen.owner = ::GetWindow(box, GW_OWNER);
    seen.text = MessageText(box);
    Click(box, IDOK);
    WaitUntilGone(box, timeoutMs);
    return seen;
}

SeenBox RunAnsweringBox(const std::function<void()>& action, const std::string& caption, DWORD waitMs)
{
    SeenBox seen;
    std::atomic<bool> done{false};
    std::atomic<bool> finished{false};
    std::thread answerer([&seen, &caption, &done, &finished, waitMs] {
        FindBox(&seen, caption, done, waitMs);
        finished = true;
    });
    action();
    done = true;
    // Our windows answer the other thread's questions while it finishes.
    while (::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT) != WAIT_FAILED && !finished) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    answerer.join();
    return seen;
}
