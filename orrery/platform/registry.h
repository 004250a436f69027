// The registry seam: the HKEY_CLASSES_ROOT calls orrery makes, nothing more.
//
// Each operation mirrors one Win32 call (RegOpenKeyExA, RegCreateKeyExA,
// RegQueryValueExA, RegSetValueExA, RegEnumKeyExA, RegEnumValueA,
// RegDeleteKeyA, RegCloseKey): the same in/out sizes, the same result codes.
// Callers therefore keep the buffer rules of the real calls, and the in-memory
// backend can be held to them in tests.
//
// Reading and changing are kept apart. A user who is not an administrator may
// read HKEY_CLASSES_ROOT but not change the machine's classes: a key opened
// for changing, a key created, a value set or a key deleted there is refused
// with kRegAccessDenied. So keys are opened for reading unless the caller is
// about to change them.
#pragma once

#include <cstdint>

namespace orrery {

// An open key. kClassesRoot is always open and never closed.
typedef std::uintptr_t RegKey;
const RegKey kClassesRoot = 0x80000000u;
const RegKey kNoKey = 0;

// Result codes, numerically equal to the Win32 ones.
const long kRegSuccess = 0;
const long kRegFileNotFound = 2;
const long kRegAccessDenied = 5;
const long kRegInvalidHandle = 6;
const long kRegInvalidParameter = 87;
const long kRegMoreData = 234;
const long kRegNoMoreItems = 259;
const long kRegKeyDeleted = 1018;

// Value types, numerically equal to REG_*.
const unsigned long kRegNone = 0;
const unsigned long kRegSz = 1;
const unsigned long kRegExpandSz = 2;
const unsigned long kRegBinary = 3;
const unsigned long kRegDword = 4;
const unsigned long kRegMultiSz = 7;

class CRegistry {
public:
    virtual ~CRegistry() {}

    // RegOpenKeyExA(parent, subkey, 0, KEY_READ, opened). subkey may hold
    // several names separated by backslashes.
    virtual long OpenKey(RegKey parent, const char* subkey, RegKey* opened) = 0;

    // RegOpenKeyExA(parent, subkey, 0, KEY_ALL_ACCESS, opened): a key whose
    // values are about to be set.
    virtual long OpenKeyToChange(RegKey parent, const char* subkey, RegKey* opened) = 0;

    // RegCreateKeyExA(parent, subkey, 0, no class, REG_OPTION_NON_VOLATILE,
    // KEY_ALL_ACCESS, no security, created, no disposition): opens the key,
    // making it and any missing keys on the way.
    virtual long CreateKey(RegKey parent, const char* subkey, RegKey* created) = 0;

    // RegSetValueExA(key, name, 0, type, data, size). name null or "" is the
    // default value. The key must have been opened to change or created.
    virtual long SetValue(RegKey key, const char* name, unsigned long type,
                          const unsigned char* data, unsigned long size) = 0;

    // RegDeleteKeyA(parent, subkey): deletes one key that has no subkeys;
    // a key with subkeys is refused with kRegAccessDenied, as on Windows NT.
    virtual long DeleteKey(RegKey parent, const char* subkey) = 0;

    // RegQueryValueExA(key, name, 0, type, data, size). name null or "" is the
    // default value. data may be null to ask for the size only. On
    // kRegMoreData *size holds the size needed.
    virtual long QueryValue(RegKey key, const char* name, unsigned long* type,
                            unsigned char* data, unsigned long* size) = 0;

    // RegEnumKeyExA(key, index, name, size, ...). *size passes the buffer size
    // in characters including the terminating zero and returns the name length
    // without it. A name that does not fit gives kRegMoreData.
    virtual long EnumKey(RegKey key, unsigned long index, char* name,
                         unsigned long* size) = 0;

    // RegEnumValueA(key, index, name, nameSize, 0, type, data, dataSize).
    virtual long EnumValue(RegKey key, unsigned long index, char* name,
                           unsigned long* nameSize, unsigned long* type,
                           unsigned char* data, unsigned long* dataSize) = 0;

    // RegCloseKey(key).
    virtual long CloseKey(RegKey key) = 0;
};

}  // namespace orrery
