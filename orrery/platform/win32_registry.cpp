// The registry seam on Win32: HKEY_CLASSES_ROOT and keys opened below it,
// every key opened with KEY_ALL_ACCESS.
#include "orrery/platform/win32_platform.h"

#include <windows.h>

namespace orrery {

namespace {

HKEY ToHkey(RegKey key)
{
    return key == kClassesRoot ? HKEY_CLASSES_ROOT : reinterpret_cast<HKEY>(key);
}

}  // namespace

long CWin32Registry::OpenKey(RegKey parent, const char* subkey, RegKey* opened)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(ToHkey(parent), subkey, 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_SUCCESS)
        *opened = reinterpret_cast<RegKey>(key);
    return result;
}

long CWin32Registry::QueryValue(RegKey key, const char* name, unsigned long* type,
                                unsigned char* data, unsigned long* size)
{
    DWORD valueType = 0;
    DWORD valueSize = size ? *size : 0;
    LONG result = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType, data,
                                   size ? &valueSize : nullptr);
    if (type)
        *type = valueType;
    if (size)
        *size = valueSize;
    return result;
}

long CWin32Registry::EnumKey(RegKey key, unsigned long index, char* name,
                             unsigned long* size)
{
    DWORD nameSize = *size;
    LONG result = RegEnumKeyExA(ToHkey(key), index, name, &nameSize, nullptr,
                                nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS)
        *size = nameSize;
    return result;
}

long CWin32Registry::EnumValue(RegKey key, unsigned long index, char* name,
                               unsigned long* nameSize, unsigned long* type,
                               unsigned char* data, unsigned long* dataSize)
{
    DWORD nameLength = *nameSize;
    DWORD valueType = 0;
    DWORD valueSize = dataSize ? *dataSize : 0;
    LONG result = RegEnumValueA(ToHkey(key), index, name, &nameLength, nullptr,
                                &valueType, data, dataSize ? &valueSize : nullptr);
    *nameSize = nameLength;
    if (type)
        *type = valueType;
    if (dataSize)
        *dataSize = valueSize;
    return result;
}

long CWin32Registry::CloseKey(RegKey key)
{
    if (key == kClassesRoot)
        return ERROR_SUCCESS;
    return RegCloseKey(ToHkey(key));
}

}  // namespace orrery
