// The machine as the catalogue sees it: one registry, one file system, the
// version-resource calls and read-only views of whole files. Records and the
// catalogue keep a reference to it; whoever builds them keeps it alive longer
// than they are.
#pragma once

#include "orrery/platform/file_views.h"
#include "orrery/platform/files.h"
#include "orrery/platform/registry.h"
#include "orrery/platform/version_resources.h"

namespace orrery {

struct CPlatform {
    CRegistry& registry;
    CFileSystem& files;
    CVersionResources& versions;
    CFileViews& views;
};

}  // namespace orrery
