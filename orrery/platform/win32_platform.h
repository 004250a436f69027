// The Win32 backends of the seams, making exactly the calls each seam names,
// and the platform made of them.
#pragma once

#include "orrery/platform/platform.h"

namespace orrery {

class CWin32Registry : public CRegistry {
public:
    long OpenKey(RegKey parent, const char* subkey, RegKey* opened) override;
    long OpenKeyToChange(RegKey parent, const char* subkey, RegKey* opened) override;
    long CreateKey(RegKey parent, const char* subkey, RegKey* created) override;
    long SetValue(RegKey key, const char* name, unsigned long type,
                  const unsigned char* data, unsigned long size) override;
    long DeleteKey(RegKey parent, const char* subkey) override;
    long QueryValue(RegKey key, const char* name, unsigned long* type,
                    unsigned char* data, unsigned long* size) override;
    long EnumKey(RegKey key, unsigned long index, char* name,
                 unsigned long* size) override;
    long EnumValue(RegKey key, unsigned long index, char* name,
                   unsigned long* nameSize, unsigned long* type,
                   unsigned char* data, unsigned long* dataSize) override;
    long CloseKey(RegKey key) override;
};

class CWin32FileSystem : public CFileSystem {
public:
    bool FindFile(const std::string& path, CFileEntry* entry) override;
    std::string SearchFile(const std::string& name) override;
    unsigned long Expand(const char* source, char* target,
                         unsigned long targetSize) override;
    bool ToLocalTime(FileTime time, std::tm* local) override;
};

class CWin32FileViews : public CFileViews {
public:
    std::unique_ptr<CFileView> OpenView(const std::string& path) override;
};

class CWin32VersionResources : public CVersionResources {
public:
    unsigned long GetInfoSize(const char* path) override;
    bool GetInfo(const char* path, unsigned long size, void* block) override;
    bool QueryValue(const void* block, const char* subBlock,
                    const void** value, unsigned int* length) override;
};

// The live machine. One per process is enough; it holds no state.
class CWin32Platform {
public:
    CWin32Platform() : m_platform{m_registry, m_files, m_versions, m_views} {}
    CWin32Platform(const CWin32Platform&) = delete;
    CWin32Platform& operator=(const CWin32Platform&) = delete;

    CPlatform& Get() { return m_platform; }

private:
    CWin32Registry m_registry;
    CWin32FileSystem m_files;
    CWin32VersionResources m_versions;
    CWin32FileViews m_views;
    CPlatform m_platform;
};

}  // namespace orrery
