// Deleting a registry key with everything below it, and checking beforehand
// that it may be deleted.
#pragma once

#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/registry.h"

#include <string>

namespace orrery {

// Deletes the key subkey below parent with all its subkeys, every child
// before its parent (the key is opened to change it; nothing is asked for
// more than that). Returns kRegSuccess when the key was deleted; the result
// of opening it when that failed (kRegFileNotFound: there is no such key,
// kRegAccessDenied: the user may not change it), without a message; any
// other failure's code. When the walk below the key cannot go on (a subkey
// that cannot be enumerated or deleted) it stops, once, with the error box
// "Failed while trying to delete registry key " and the path of the key
// that stayed; the walk always ends.
long DeleteRegistryTree(CRegistry& registry, CMaintenanceUI& ui, RegKey parent,
                        const std::string& subkey);

// Whether the key at path below HKEY_CLASSES_ROOT and every key below it can
// be opened to change them, as deleting them needs. A missing key can be
// "changed" (there is nothing to delete). When not, *refusedPath is the
// first key refused and *result why (kRegAccessDenied for a user who is not
// an administrator).
bool CanChangeTree(CRegistry& registry, const std::string& path, std::string* refusedPath,
                   long* result);

}  // namespace orrery
