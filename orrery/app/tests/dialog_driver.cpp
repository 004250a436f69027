#include "orrery/app/tests/dialog_driver.h"

#include "orrery/app/tests/box_answerer.h"
#include "tests/support/process_windows.h"

#include <algorithm>

namespace {

const UINT kTickMs = 30;
// A window nobody expected is closed after this many ticks (about 3 s).
const int kPatience = 100;

CDialogDriver* g_driver = nullptr;


struct Search {
    const std::vector<HWND>* before;
    DWORD processId;  // 0: any (the thread's windows are enumerated)
    std::vector<HWND> found;
};

// A window waiting for the user: a popup menu, or a window with a button
// (the wait windows have none and go by themselves).
bool WaitsForTheUser(HWND window)
{
    return test_support::class_of(window) == "#32768" || ::FindWindowExA(window, nullptr, "Button", nullptr) != nullptr;
}

BOOL CALLBACK CollectCandidate(HWND window, LPARAM lp)
{
    Search& search = *reinterpret_cast<Search*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if ((!search.processId || owner == search.processId) && ::IsWindowVisible(window) &&
        ::IsWindowEnabled(window) && WaitsForTheUser(window) &&
        std::find(search.before->begin(), search.before->end(), window) == search.before->end())
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectAll(HWND window, LPARAM lp)
{
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(window);
    return TRUE;
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM lp)
{
    std::string kind = test_support::class_of(child);
    LONG picture = ::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
    bool isPicture = kind == "Static" && (picture == SS_ICON || picture == SS_BITMAP);
    if ((kind == "Static" && !isPicture) || kind == "Edit") {
        std::string& texts = *reinterpret_cast<std::string*>(lp);
        std::string text;
        for (char c : WindowTextOf(child)) {
            if (c != '\r')
                text += c;
        }
        if (!text.empty())
            texts += (texts.empty() ? "" : "\n") + text;
    }
    return TRUE;
}

void PostButton(HWND window, int id)
{
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(window, id)));
}

} // namespace

CDialogDriver::CDialogDriver()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectAll, reinterpret_cast<LPARAM>(&m_before));
}

CDialogDriver::~CDialogDriver()
{
    if (m_timer)
        ::KillTimer(nullptr, m_timer);
    if (g_driver == this)
        g_driver = nullptr;
}

void CDialogDriver::Expect(const std::string& captionStart, Action action)
{
    m_steps.push_back({captionStart, action});
}

void CDialogDriver::Run(const std::function<void()>& call)
{
    CDialogDriver* outer = g_driver;
    g_driver = this;
    m_timer = ::SetTimer(nullptr, 0, kTickMs, OnTimer);
    call();
    ::KillTimer(nullptr, m_timer);
    m_timer = 0;
    g_driver = outer;
    // The timer's last message may still wait in the queue.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        ;
}

void CALLBACK CDialogDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_driver)
        g_driver->Poll();
}

bool CDialogDriver::RunProcess(HANDLE process, DWORD processId, DWORD timeoutMs)
{
    m_processId = processId;
    DWORD start = ::GetTickCount();
    bool ended = false;
    while (!ended && ::GetTickCount() - start < timeoutMs) {
        Poll();
        ended = ::WaitForSingleObject(process, kTickMs) == WAIT_OBJECT_0;
    }
    m_processId = 0;
    return ended;
}

void CDialogDriver::Poll()
{
    Search search = {&m_before, m_processId, {}};
    if (m_processId)
        ::EnumWindows(CollectCandidate, reinterpret_cast<LPARAM>(&search));
    else
        ::EnumThreadWindows(::GetCurrentThreadId(), CollectCandidate, reinterpret_cast<LPARAM>(&search));
    for (HWND window : search.found) {
        if (!m_steps.empty() && WindowTextOf(window).compare(0, m_steps.front().captionStart.size(),
                                                       m_steps.front().captionStart) == 0) {
            Step step = m_steps.front();
            m_steps.pop_front();
            m_idleTicks = 0;
            step.action(window);
            return;
        }
    }
    if (search.found.empty() || ++m_idleTicks < kPatience)
        return;
    m_idleTicks = 0;
    HWND stray = search.found.back();
    m_unexpected.push_back(WindowTextOf(stray));
    for (int id : {IDCANCEL, IDNO, IDOK})
        PostButton(stray, id);
}

CDialogDriver::Action CDialogDriver::Press(int buttonId)
{
    return [buttonId](HWND window) { PostButton(window, buttonId); };
}

CDialogDriver::Action CDialogDriver::Type(int controlId, const std::string& text, int buttonId)
{
    return [controlId, text, buttonId](HWND window) {
        ::SetDlgItemTextA(window, controlId, text.c_str());
        PostButton(window, buttonId);
    };
}

CDialogDriver::Action CDialogDriver::Read(std::string* texts, int buttonId)
{
    return [texts, buttonId](HWND window) {
        *texts = ChildTexts(window);
        PostButton(window, buttonId);
    };
}

std::string CDialogDriver::ItemText(HWND window, int controlId)
{
    char text[1024] = "";
    ::GetDlgItemTextA(window, controlId, text, sizeof text);
    return text;
}

std::string CDialogDriver::ChildTexts(HWND window)
{
    std::string texts;
    ::EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}
