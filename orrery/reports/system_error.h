// The system's own text for an error code, as FormatMessageA gives it.
#ifndef ORRERY_REPORTS_SYSTEM_ERROR_H
#define ORRERY_REPORTS_SYSTEM_ERROR_H

#include <windows.h>

#include <string>

// Without its line end; "Error N" when the system has no text for N.
std::string SystemErrorText(DWORD error);

#endif
