// The steps of start-up that read the machine: the command line as the
// program takes it, and the shell verbs written for the running program.
#ifndef ORRERY_APP_START_UP_H
#define ORRERY_APP_START_UP_H

#include <string>

// The command line upper-cased by the rules of the system's code page.
std::string UpperCasedCommandLine(const std::string& commandLine);

// Writes the shell verbs for the program's own path and name into the
// program's registry (Machine()); refused changes are passed over silently.
void RegisterProgramShellVerbs();

#endif
