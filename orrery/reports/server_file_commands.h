// The object commands that hand a server file to the shell: Goto File
// Location opens the file's folder in Explorer, Run EXE Server starts the
// server. Both tell the user when there is nothing to open or start.
#ifndef ORRERY_REPORTS_SERVER_FILE_COMMANDS_H
#define ORRERY_REPORTS_SERVER_FILE_COMMANDS_H

#include "orrery/catalogue/com_object.h"

#include <windows.h>

#include <string>

// Opens the folder of the record's server file. When neither the file nor
// its folder exists, that is reported over owner instead.
void GotoFileLocation(orrery::CComObject& record, HWND owner);

// Starts the record's server with its command line; a server file that does
// not exist, or a start that fails, is reported over owner.
void RunExeServer(orrery::CComObject& record, HWND owner);

// "The file was not found:" or "The folder was not found:" and the path,
// over owner (null: no owner window).
void ShowFileNotFound(HWND owner, const std::string& path);
void ShowFolderNotFound(HWND owner, const std::string& path);

#endif
