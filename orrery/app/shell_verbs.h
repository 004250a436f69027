// The context-menu verbs orrery puts on .ocx and .dll files: Register, View
// Details, Compare With and Unregister, each starting the program with its
// letter as the switch (-R, -V, -C, -U) and the file's path. Written under
// HKEY_CLASSES_ROOT on every start without arguments, so that moving the
// program and starting it once points them to the new place.
#ifndef ORRERY_APP_SHELL_VERBS_H
#define ORRERY_APP_SHELL_VERBS_H

#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/registry.h"

#include <string>

// The texts of the string table the verbs are built from.
struct CShellVerbTexts {
    std::string activeXControl;  // "ActiveX Control": the type of .ocx files
    std::string dllServer;       // "DLL Server": the type of .dll files
    std::string registerVerb;    // "Register"
    std::string unregisterVerb;  // "Unregister"
    std::string compareVerb;     // "Compare With..."
    std::string viewVerb;        // "View"
    std::string detailsVerb;     // "Details"
};

// The command a verb runs: the program's path, the switch and %1 for the
// file, such as C:\Tools\orrery.exe -R %1. A program path with a blank in
// it is quoted, so that the shell cannot take a program at the part before
// the blank.
std::string ShellVerbCommand(const std::string& programDirectory, const std::string& executableName,
                             const std::string& verbKey);

// Maps .ocx to ocxfile, writes the four verbs of ocxfile and dllfile and the
// icon of ocxfile, and deletes the four long-named verbs of dllfile that
// older versions wrote. Refused changes are passed over silently (a user
// who is not an administrator starts the program all the same); when .ocx
// cannot be mapped, nothing else is written. ui shows the error of a key
// tree that could not be deleted completely.
void RegisterShellVerbs(orrery::CRegistry& registry, orrery::CMaintenanceUI& ui, const CShellVerbTexts& texts,
                        const std::string& programDirectory, const std::string& executableName);

#endif
