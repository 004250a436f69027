// CDialogDriver: answers the modal windows that a call opens on this thread
// (or that another process shows): windows with buttons, and popup menus.
// Each expected window is named by the start of its caption and handled by
// an action, which should close it; a thread timer, which keeps firing inside
// modal loops, finds each one in turn. A window that nobody expected, or an
// expected one that does not come, is closed or given up after a while, so a
// test fails instead of hanging.
#ifndef ORRERY_APP_TESTS_DIALOG_DRIVER_H
#define ORRERY_APP_TESTS_DIALOG_DRIVER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CDialogDriver {
public:
    typedef std::function<void(HWND window)> Action;

    CDialogDriver();
    ~CDialogDriver();
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    // The next window to come, and what to do with it.
    void Expect(const std::string& captionStart, Action action);
    // Runs call; windows it opens are handled while it runs. A driver may
    // run inside the action of another; the inner one answers meanwhile.
    void Run(const std::function<void()>& call);

    // Answers the windows of another process in the same way, polling from
    // this thread, until the process ends or timeoutMs passes; true when it
    // ended in time.
    bool RunProcess(HANDLE process, DWORD processId, DWORD timeoutMs);

    // Expected windows that did not come.
    size_t Pending() const { return m_steps.size(); }
    // Captions of windows that came unexpected and were closed.
    const std::vector<std::string>& Unexpected() const { return m_unexpected; }

    // Actions.
    static Action Press(int buttonId);
    // Sets the text of a control of the window, then presses a button.
    static Action Type(int controlId, const std::string& text, int buttonId);
    // Keeps the texts of the window's static and edit controls in *texts
    // (one per line), then presses a button.
    static Action Read(std::string* texts, int buttonId);

    // The texts of a window's static (not picture) and edit children, one
    // per line, with line ends as "\n".
    static std::string ChildTexts(HWND window);
    // The text of one control of a window.
    static std::string ItemText(HWND window, int controlId);

private:
    struct Step {
        std::string captionStart;
        Action action;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();

    std::deque<Step> m_steps;
    std::vector<std::string> m_unexpected;
    std::vector<HWND> m_before;
    DWORD m_processId = 0;  // 0: this thread's windows
    UINT_PTR m_timer = 0;
    int m_idleTicks = 0;
};

#endif
