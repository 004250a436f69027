// The version-resource seam on Win32: GetFileVersionInfoSizeA,
// GetFileVersionInfoA and VerQueryValueA.
#include "orrery/platform/win32_platform.h"

#include <windows.h>

namespace orrery {

unsigned long CWin32VersionResources::GetInfoSize(const char* path)
{
    DWORD handle = 0;
    return GetFileVersionInfoSizeA(path, &handle);
}

bool CWin32VersionResources::GetInfo(const char* path, unsigned long size,
                                     void* block)
{
    return GetFileVersionInfoA(path, 0, size, block) != FALSE;
}

bool CWin32VersionResources::QueryValue(const void* block, const char* subBlock,
                                        const void** value, unsigned int* length)
{
    void* found = nullptr;
    UINT foundLength = 0;
    if (!VerQueryValueA(block, subBlock, &found, &foundLength) || !found)
        return false;
    *value = found;
    *length = foundLength;
    return true;
}

}  // namespace orrery
