// The one-operation starts that the shell verbs make: orrery -R, -U, -V or
// -C and a file. The operation runs without a main window (its boxes and
// dialogs have no owner), and the program ends after it: no options are
// read, no catalogue is scanned, no verbs are written.
#ifndef ORRERY_APP_COMMAND_LINE_OPERATIONS_H
#define ORRERY_APP_COMMAND_LINE_OPERATIONS_H

#include <string>

// Runs the operation of switchText (upper case) on path and returns true
// for -U, -R, -V and -C; returns false, having run nothing, for any other
// switch.
bool RunCommandLineOperation(const std::string& switchText, const std::string& path);

#endif
