// CScriptedAnswers: while it lives, answers the dialogs this thread opens
// (message boxes, our dialogs, the file dialog), one scripted step each, in
// order: it reads the dialog's caption and texts, runs the step's action
// (which may fill the dialog in), then sends the step's button. It runs from
// a timer of this thread, so it answers inside the dialogs' own message
// loops, and a dialog opened by a button it pressed is answered in turn.
// Dialogs beyond the script are seen and closed (Cancel, No or OK).
#ifndef ORRERY_APP_TESTS_SCRIPTED_ANSWERS_H
#define ORRERY_APP_TESTS_SCRIPTED_ANSWERS_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CAnswerStep {
    int button;
    std::function<void(HWND dialog)> action;
};

struct CSeenDialog {
    std::string caption;
    // The texts of its static and edit controls, one per line, with the
    // edit controls' "\r\n" read as "\n" (CDialogDriver::ChildTexts).
    std::string text;
};

class CScriptedAnswers {
public:
    explicit CScriptedAnswers(std::vector<CAnswerStep> steps);
    ~CScriptedAnswers();
    CScriptedAnswers(const CScriptedAnswers&) = delete;
    CScriptedAnswers& operator=(const CScriptedAnswers&) = delete;

    const std::vector<CSeenDialog>& Seen() const { return m_seen; }
    // Every step was used.
    bool Done() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void AnswerOpenDialog();
    CAnswerStep NextStep(HWND dialog);

    std::vector<CAnswerStep> m_steps;
    size_t m_next = 0;
    std::vector<CSeenDialog> m_seen;
    UINT_PTR m_timer = 0;
};

// Sets the file name of an open-file dialog, for a step's action.
void SetFileDialogName(HWND dialog, const std::string& path);

// The button Enter presses in a box, as the dialog manager picks it: the
// focused button when it is a default push button, else the box's default.
int EnterButton(HWND box);

#endif
