// View in IE: the browser test page of a control, written to a new file in
// the temporary directory and opened with the program the shell picks for
// ".HTM". The file is left behind for the user to keep.
#ifndef ORRERY_REPORTS_BROWSER_PAGE_H
#define ORRERY_REPORTS_BROWSER_PAGE_H

#include "orrery/catalogue/com_object.h"

#include <windows.h>

#include <string>

// Writes the page for record and opens it. Without a temporary file nothing
// happens; a page that cannot be written is reported to the user over owner.
void ViewInBrowser(orrery::CComObject& record, HWND owner);

// Writes page into a new temporary file named "axm....HTM", CR LF line ends.
// True with its path; false with empty path when no temporary file could be
// had, false with the path when writing it failed (*error then holds the
// system's error code).
bool WriteTestPageFile(const std::string& page, std::string* path, DWORD* error);

#endif
