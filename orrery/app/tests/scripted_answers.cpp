#include "orrery/app/tests/scripted_answers.h"

#include "orrery/app/tests/dialog_driver.h"
#include "tests/support/process_windows.h"

namespace {

CScriptedAnswers* g_active = nullptr;



bool HasButton(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiA(test_support::class_of(child).c_str(), "Button") == 0)
            return true;
    }
    return false;
}

// The dialog of this thread that takes input now: visible, enabled, with a
// button (the splash and wait windows have none).
BOOL CALLBACK FindOpenDialog(HWND window, LPARAM param)
{
    if (test_support::class_of(window) == "#32770" && ::IsWindowVisible(window) && ::IsWindowEnabled(window) && HasButton(window)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

void SetFileDialogName(HWND dialog, const std::string& path)
{
    // The explorer-style dialog's name box (cmb13), or the older edit (edt1).
    if (!::SetDlgItemTextA(dialog, 0x47c, path.c_str()))
        ::SetDlgItemTextA(dialog, 0x480, path.c_str());
}

CScriptedAnswers::CScriptedAnswers(std::vector<CAnswerStep> steps) : m_steps(std::move(steps))
{
    g_active = this;
    m_timer = ::SetTimer(nullptr, 0, 50, OnTimer);
}

CScriptedAnswers::~CScriptedAnswers()
{
    ::KillTimer(nullptr, m_timer);
    g_active = nullptr;
}

void CALLBACK CScriptedAnswers::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_active)
        g_active->AnswerOpenDialog();
}

// A dialog beyond the script is closed all the same, so that a test fails
// on what it saw instead of hanging.
CAnswerStep CScriptedAnswers::NextStep(HWND dialog)
{
    if (!Done())
        return m_steps[m_next++];
    for (int button : {IDCANCEL, IDNO, IDOK}) {
        if (::GetDlgItem(dialog, button))
            return CAnswerStep{button, nullptr};
    }
    return CAnswerStep{IDCANCEL, nullptr};
}

void CScriptedAnswers::AnswerOpenDialog()
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindOpenDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    CAnswerStep step = NextStep(dialog);
    m_seen.push_back({test_support::window_text(dialog), CDialogDriver::ChildTexts(dialog)});
    if (step.action)
        step.action(dialog);
    // Sent, not posted: a dialog the button opens is answered by the next
    // ticks, inside this call.
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, step.button)));
}

int EnterButton(HWND box)
{
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(box, focus) && (::SendMessageA(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        return ::GetDlgCtrlID(focus);
    LRESULT id = ::SendMessageA(box, DM_GETDEFID, 0, 0);
    return HIWORD(id) == DC_HASDEFID ? LOWORD(id) : 0;
}
