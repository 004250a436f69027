// The two ways into the compare: the main window's Compare With command for
// the selected object, and the "-C" start for a file chosen in the shell.
#ifndef ORRERY_REPORTS_COMPARE_COMMAND_H
#define ORRERY_REPORTS_COMPARE_COMMAND_H

#include "orrery/catalogue/com_object.h"

#include <windows.h>

#include <string>

// Opens the compare dialog over owner with the record's file as the first.
void CompareWithObject(orrery::CComObject& record, HWND owner);

// "-C": the compare dialog for the file at path, with no owner window. A
// path that names no file gets a message instead.
void RunCompareOperation(const std::string& path);

#endif
