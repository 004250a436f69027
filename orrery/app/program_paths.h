// Where the running program lives, taken from the full path of its module.
#ifndef ORRERY_APP_PROGRAM_PATHS_H
#define ORRERY_APP_PROGRAM_PATHS_H

#include <string>

// The drive and folder of modulePath without a trailing backslash: the
// folder "C:\Tools" for "C:\Tools\orrery.exe", the drive alone ("C:") for a
// program in a drive's root.
std::string ProgramDirectoryOf(const std::string& modulePath);

// The module's file name without its extension ("orrery").
std::string ExecutableNameOf(const std::string& modulePath);

#endif
