// The machine as the catalogue sees it: one registry, one file system and the
// version-resource calls. Records and the catalogue keep a reference to it;
// whoever builds them keeps it alive longer than they are.
#pragma once

#include "orrery/platform/files.h"
#include "orrery/platform/registry.h"
#include "orrery/platform/version_resources.h"

namespace orrery {

struct CPlatform {
    CRegistry& registry;
    CFileSystem& files;
    CVersionResources& versions;
};

}  // namespace orrery
