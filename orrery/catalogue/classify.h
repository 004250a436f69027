// The tests that sort a class into the catalogue's categories. Each opens a
// key below the open CLSID key and closes it again.
#pragma once

#include "orrery/platform/registry.h"

#include <string>

namespace orrery {

bool HasProgID(CRegistry& registry, RegKey clsidKey, const std::string& clsid);
bool HasControl(CRegistry& registry, RegKey clsidKey, const std::string& clsid);
bool HasLocalServer32(CRegistry& registry, RegKey clsidKey, const std::string& clsid);

// The raw "InProcServer32" value (no quote stripping, no expansion) is longer
// than three characters and ends in "DLL", ignoring case. It is read whole,
// however long.
bool IsDllServer(CRegistry& registry, RegKey clsidKey, const std::string& clsid);

}  // namespace orrery
