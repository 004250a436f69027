// The "-V" start (the shell verb "View ... Details") on the program's machine
// with its real windows: the search wait window, the details window, the
// question and the messages, all without a main window.
#ifndef ORRERY_APP_DETAILS_OPERATION_H
#define ORRERY_APP_DETAILS_OPERATION_H

#include <string>

// Runs the operation on path as the command line gives it and returns when
// it is done.
void RunDetailsOperation(const std::string& path);

#endif
