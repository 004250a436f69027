// In-memory version resources for tests and benchmarks.
//
// A file's resource is described by its first language/code-page pair and its
// strings; GetInfo packs that into a block of its own layout, which QueryValue
// reads back. Broken resources can be described too, and every call is counted.
#pragma once

#include "orrery/platform/version_resources.h"

#include <cstdint>
#include <map>
#include <string>

namespace orrery {

struct CVersionFixture {
    std::uint16_t language = 0x0409;
    std::uint16_t codePage = 0x04b0;
    std::map<std::string, std::string> strings;  // by key, e.g. "FileVersion"
    bool hasTranslation = true;   // false: "\VarFileInfo\Translation" is missing
    bool readFails = false;       // GetInfo fails although a size is reported
};

struct CVersionCounts {
    unsigned long sizeQueries = 0;
    unsigned long reads = 0;
    unsigned long valueQueries = 0;
};

class CMemoryVersionResources : public CVersionResources {
public:
    void SetVersion(const std::string& path, const CVersionFixture& fixture);
    const CVersionCounts& Counts() const { return m_counts; }

    unsigned long GetInfoSize(const char* path) override;
    bool GetInfo(const char* path, unsigned long size, void* block) override;
    bool QueryValue(const void* block, const char* subBlock,
                    const void** value, unsigned int* length) override;

private:
    const std::string* Packed(const char* path) const;

    std::map<std::string, CVersionFixture> m_fixtures;  // by upper-cased path
    std::map<std::string, std::string> m_packed;        // by upper-cased path
    CVersionCounts m_counts;
};

}  // namespace orrery
