// CBoxAnswerer: while it lives, a thread answers every box and modal dialog
// that one process shows (message boxes, file dialogs, our own dialogs) and
// records what each one said, so that a test can run commands that open
// windows it does not know about. A box is a visible top-level dialog with
// at least one push button; windows without buttons (the splash, the wait
// window) are left alone.
#ifndef ORRERY_APP_TESTS_BOX_ANSWERER_H
#define ORRERY_APP_TESTS_BOX_ANSWERER_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CBoxAnswerer {
public:
    struct Box {
        std::string caption;
        // The texts of its static and edit controls, one per line.
        std::string text;
        // The id of the button pressed first.
        int answer;
    };

    // Answers with the first of preferred that the box has; a box that is
    // still there a moment later gets its next button, so none stays open.
    explicit CBoxAnswerer(DWORD processId = ::GetCurrentProcessId(),
                          std::vector<int> preferred = {IDNO, IDCANCEL, IDOK});
    ~CBoxAnswerer();
    CBoxAnswerer(const CBoxAnswerer&) = delete;
    CBoxAnswerer& operator=(const CBoxAnswerer&) = delete;

    // Runs prepare on each box (from the answering thread) before its first
    // answer, e.g. to tick check boxes of a dialog before its OK is pressed.
    void PrepareEachBox(std::function<void(HWND box)> prepare);

    // The boxes answered since the last call, oldest first.
    std::vector<Box> TakeBoxes();
    // Waits until a box whose caption or text holds needle has been
    // answered, at most timeoutMs; the boxes seen stay to be taken.
    bool WaitForBox(const std::string& needle, DWORD timeoutMs);

private:
    struct Answered {
        HWND window;
        DWORD lastAnswer;
        int attempts;
    };

    void Watch();
    void AnswerIfBox(HWND window);
    static BOOL CALLBACK OnTopLevelWindow(HWND window, LPARAM self);

    DWORD m_processId;
    std::vector<int> m_preferred;
    std::function<void(HWND)> m_prepare;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    std::vector<Box> m_boxes;
    std::vector<Answered> m_answered;
    std::thread m_thread;
};

// The text of a window read with a bounded WM_GETTEXT, so that a window of
// another thread or process that does not answer cannot hold the caller.
std::string WindowTextOf(HWND window);

#endif
