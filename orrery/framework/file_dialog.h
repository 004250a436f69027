// The open-file dialog as the program's commands ask for one file.
#ifndef ORRERY_FRAMEWORK_FILE_DIALOG_H
#define ORRERY_FRAMEWORK_FILE_DIALOG_H

#include <windows.h>

#include <string>

// Asks for one existing file, starting in the system folder, with filter's
// choices and title over owner. The path chosen, or empty text when the user
// cancelled.
std::string AskForExistingFile(HWND owner, const char* title, const char* filter);

#endif
