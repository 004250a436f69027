#include "orrery/app/tests/box_answerer.h"

#include <algorithm>

namespace {

const DWORD kPollMs = 20;
const DWORD kRetryMs = 400;

std::string ClassNameOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsPicture(HWND child)
{
    LONG type = ::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE;
}

bool IsPushButton(HWND child)
{
    if (ClassNameOf(child) != "Button" || !::IsWindowVisible(child) || !::IsWindowEnabled(child))
        return false;
    LONG type = ::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

struct Children {
    std::vector<HWND> buttons;
    std::string text;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data)
{
    Children& children = *reinterpret_cast<Children*>(data);
    std::string kind = ClassNameOf(child);
    if (IsPushButton(child)) {
        children.buttons.push_back(child);
    } else if ((kind == "Edit" || (kind == "Static" && !IsPicture(child))) && ::IsWindowVisible(child)) {
        std::string text = WindowTextOf(child);
        if (!text.empty())
            children.text += (children.text.empty() ? "" : "\n") + text;
    }
    return TRUE;
}

} // namespace

std::string WindowTextOf(HWND window)
{
    char text[4096] = "";
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                               5000, &length))
        return std::string();
    return std::string(text, std::min<DWORD_PTR>(length, sizeof text - 1));
}

CBoxAnswerer::CBoxAnswerer(DWORD processId, std::vector<int> preferred)
    : m_processId(processId), m_preferred(std::move(preferred)), m_thread([this] { Watch(); })
{
}

CBoxAnswerer::~CBoxAnswerer()
{
    m_stop = true;
    m_thread.join();
}

void CBoxAnswerer::PrepareEachBox(std::function<void(HWND box)> prepare)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_prepare = std::move(prepare);
}

std::vector<CBoxAnswerer::Box> CBoxAnswerer::TakeBoxes()
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<Box> boxes;
    boxes.swap(m_boxes);
    return boxes;
}

bool CBoxAnswerer::WaitForBox(const std::string& needle, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            for (const Box& box : m_boxes) {
                if (box.caption.find(needle) != std::string::npos || box.text.find(needle) != std::string::npos)
                    return true;
            }
        }
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::Sleep(kPollMs);
    }
}

void CBoxAnswerer::Watch()
{
    while (!m_stop) {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_answered.erase(std::remove_if(m_answered.begin(), m_answered.end(),
                                            [](const Answered& answered) { return !::IsWindow(answered.window); }),
                             m_answered.end());
        }
        ::EnumWindows(OnTopLevelWindow, reinterpret_cast<LPARAM>(this));
        ::Sleep(kPollMs);
    }
}

BOOL CALLBACK CBoxAnswerer::OnTopLevelWindow(HWND window, LPARAM self)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    CBoxAnswerer& answerer = *reinterpret_cast<CBoxAnswerer*>(self);
    if (processId == answerer.m_processId && ::IsWindowVisible(window) && ClassNameOf(window) == "#32770")
        answerer.AnswerIfBox(window);
    return TRUE;
}

void CBoxAnswerer::AnswerIfBox(HWND window)
{
    Children children;
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    if (children.buttons.empty())
        return;
    std::lock_guard<std::mutex> hold(m_lock);
    auto seen = std::find_if(m_answered.begin(), m_answered.end(),
                             [window](const Answered& answered) { return answered.window == window; });
    DWORD now = ::GetTickCount();
    if (seen != m_answered.end() && now - seen->lastAnswer < kRetryMs)
        return;
    // The preferred buttons first, in their order, then the others.
    std::vector<HWND> order;
    for (int id : m_preferred) {
        for (HWND button : children.buttons) {
            if (::GetDlgCtrlID(button) == id)
                order.push_back(button);
        }
    }
    for (HWND button : children.buttons) {
        if (std::find(order.begin(), order.end(), button) == order.end())
            order.push_back(button);
    }
    int attempt = seen == m_answered.end() ? 0 : seen->attempts;
    HWND button = order[attempt % order.size()];
    int id = ::GetDlgCtrlID(button);
    if (seen == m_answered.end()) {
        if (m_prepare)
            m_prepare(window);
        m_boxes.push_back({WindowTextOf(window), children.text, id});
        m_answered.push_back({window, now, 1});
    } else {
        seen->lastAnswer = now;
        ++seen->attempts;
    }
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
