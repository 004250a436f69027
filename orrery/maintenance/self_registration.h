// Self-registration: loading a server file and calling its own
// DllRegisterServer or DllUnregisterServer, with the outcome told to the user.
//
// An entry point's HRESULT is examined: a failing one is reported with the
// path, the call, the code in hexadecimal and the system's text for it, and
// the operation counts as failed, so that callers rebuild nothing, drop no
// record and offer no file deletion.
#pragma once

#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/modules.h"

#include <functional>
#include <string>
#include <vector>

namespace orrery {

extern const char kRegisterEntryPoint[];    // "DllRegisterServer"
extern const char kUnregisterEntryPoint[];  // "DllUnregisterServer"

// The DLLs a file needs that are not found (see MissingDllNames); asked when
// the system could not load a server because a module was not found, so
// that the message names them. May be empty.
typedef std::function<std::vector<std::string>(const std::string& path)> MissingDllReader;

// Loads the server at path and calls DllRegisterServer; the message dialog
// says how it went. After the message the module is released: at once with
// releaseNow, otherwise on a worker thread (ReleaseLibraryLater). True when
// the entry point was found, called and succeeded.
bool RegisterServerFile(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                        bool releaseNow, const MissingDllReader& missingDlls = MissingDllReader());

// The same with DllUnregisterServer; the module is released at once after
// the message (the command line ends soon after).
bool UnregisterServerFile(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                          const MissingDllReader& missingDlls = MissingDllReader());

// Unregisters the class called name whose server is the file at path: calls
// DllUnregisterServer, releases the module on a worker thread and, when the
// call succeeded, shows the unregistration dialog. True on success.
bool UnregisterRecordServer(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                            const std::string& name,
                            const MissingDllReader& missingDlls = MissingDllReader());

// Releases module on a short-lived thread of its own; nobody waits for it.
void ReleaseLibraryLater(CModules& modules, ModuleHandle module);

// "0x80070005": an HRESULT as the user sees it in messages.
std::string HresultHex(Hresult code);

// What a failing entry point's code means: the system's text, our own for
// the self-registration codes the system has no text for, else empty text.
std::string HresultMeaning(CModules& modules, Hresult code);

}  // namespace orrery
