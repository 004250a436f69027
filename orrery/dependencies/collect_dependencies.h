// The dependency walk: every DLL that a file imports, found on disk the way
// the system would find it, and the DLLs those import in turn.
#pragma once

#include "orrery/dependencies/dependency_list.h"
#include "orrery/platform/platform.h"

#include <string>
#include <vector>

namespace orrery {

// Appends to list every DLL reached from filePath, depth first in discovery
// order: a DLL comes right after the file that first imports it and before
// that file's later imports. Each name is listed once, as its first importer
// writes it; names already in the list are not walked again. A record's path
// is where the DLL was found (empty when it was not) and its found flag says
// whether there is one. The file itself is listed only when a dependency
// imports it back.
//
// False when filePath cannot be opened and mapped (nothing is appended);
// true otherwise, also for a file that is not an image.
bool CollectDependencies(CPlatform& platform, const std::string& filePath, CDependencyList& list);

// The names of the DLLs reached from filePath that are not found, in walk
// order, as their importers write them; empty when none is missing or the
// file cannot be read.
std::vector<std::string> MissingDllNames(CPlatform& platform, const std::string& filePath);

}  // namespace orrery
