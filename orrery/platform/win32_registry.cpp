// The registry seam on Win32: HKEY_CLASSES_ROOT and keys opened below it,
// for reading with KEY_READ, for changing with KEY_ALL_ACCESS.
#include "orrery/platform/win32_platform.h"

#include <windows.h>

namespace orrery {

namespace {

HKEY ToHkey(RegKey key)
{
    return key == kClassesRoot ? HKEY_CLASSES_ROOT : reinterpret_cast<HKEY>(key);
}

long OpenWithAccess(RegKey parent, const char* subkey, REGSAM access, RegKey* opened)
{
    HKEY key = nullptr;
    LONG result = RegOpenKeyExA(ToHkey(parent), subkey, 0, access, &key);
    if (result == ERROR_SUCCESS)
        *opened = reinterpret_cast<RegKey>(key);
    return result;
}

}  // namespace

long CWin32Registry::OpenKey(RegKey parent, const char* subkey, RegKey* opened)
{
    return OpenWithAccess(parent, subkey, KEY_READ, opened);
}

long CWin32Registry::OpenKeyToChange(RegKey parent, const char* subkey, RegKey* opened)
{
    return OpenWithAccess(parent, subkey, KEY_ALL_ACCESS, opened);
}

long CWin32Registry::CreateKey(RegKey parent, const char* subkey, RegKey* created)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(ToHkey(parent), subkey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS)
        *created = reinterpret_cast<RegKey>(key);
    return result;
}

long CWin32Registry::SetValue(RegKey key, const char* name, unsigned long type,
                              const unsigned char* data, unsigned long size)
{
    return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

long CWin32Registry::DeleteKey(RegKey parent, const char* subkey)
{
    return RegDeleteKeyA(ToHkey(parent), subkey);
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
