// A whole machine in memory: registry, files (with their contents) and version
// resources, for tests, benchmarks and window tests that want a catalogue of
// their own making.
#pragma once

#include "orrery/platform/memory_files.h"
#include "orrery/platform/memory_registry.h"
#include "orrery/platform/memory_version.h"
#include "orrery/platform/platform.h"

namespace orrery {

class CMemoryPlatform {
public:
    CMemoryPlatform() : m_platform{registry, files, versions, files} {}
    CMemoryPlatform(const CMemoryPlatform&) = delete;
    CMemoryPlatform& operator=(const CMemoryPlatform&) = delete;

    CPlatform& Get() { return m_platform; }

    CMemoryRegistry registry;
    CMemoryFileSystem files;
    CMemoryVersionResources versions;

private:
    CPlatform m_platform;
};

}  // namespace orrery
