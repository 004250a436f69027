// The version-resource seam: GetFileVersionInfoSizeA, GetFileVersionInfoA and
// VerQueryValueA, with their own contracts.
#pragma once

namespace orrery {

class CVersionResources {
public:
    virtual ~CVersionResources() {}

    // Size of the file's version resource in bytes, 0 when it has none.
    virtual unsigned long GetInfoSize(const char* path) = 0;

    // Copies the version resource into block (size bytes); false on failure.
    virtual bool GetInfo(const char* path, unsigned long size, void* block) = 0;

    // Finds subBlock inside a block that GetInfo filled. *value points into
    // the block; *length is in characters for strings, in bytes otherwise.
    virtual bool QueryValue(const void* block, const char* subBlock,
                            const void** value, unsigned int* length) = 0;
};

}  // namespace orrery
