// Driving windows as a user would, from outside their thread or process:
// waiting for a top-level window, reading texts and list rows back, clicking
// buttons, filling in the open-file dialog. Every wait is bounded.
#ifndef ORRERY_REPORTS_TESTS_WIN32_WINDOW_DRIVER_H
#define ORRERY_REPORTS_TESTS_WIN32_WINDOW_DRIVER_H

#include "orrery/app/tests/box_answerer.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A visible top-level window of the process whose caption is caption, or
// null when none comes within timeoutMs.
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs);
// Whether the window is gone within timeoutMs.
bool WaitUntilGone(HWND window, DWORD timeoutMs);

// A control's text, read as WindowTextOf reads a window's.
std::string ControlText(HWND dialog, int id);
// Sets an edit control's text.
void SetControlText(HWND dialog, int id, const std::string& text);
// Presses a button as a click does: the dialog gets its command.
void Click(HWND dialog, int id);

struct ListRow {
    std::vector<std::string> cells;
    int image;
};
// The rows of a report list view, also one of another process.
std::vector<ListRow> ListViewRows(HWND list, int columns);
std::vector<std::string> ListViewColumnTitles(HWND list, int columns);

// Chooses path in an open-file dialog: the name goes into its file name
// field and the dialog gets OK.
void ChooseInFileDialog(HWND fileDialog, const std::string& path);
// The text of the open-file dialog's file type and folder choosers.
std::string FileDialogFilter(HWND fileDialog);
std::string FileDialogFolder(HWND fileDialog);

// The message box the process shows with this caption, read and answered
// with OK.
struct SeenBox {
    HWND owner = nullptr;
    std::string text;
    bool found = false;
};
SeenBox AnswerMessageBox(DWORD processId, const std::string& caption, DWORD timeoutMs);

// Runs action on this thread while another thread answers the first message
// box with caption that it shows within waitMs. An action that shows none
// gives a box reported as not found.
SeenBox RunAnsweringBox(const std::function<void()>& action, const std::string& caption, DWORD waitMs);

#endif
