// Reading the registry through the seam as the catalogue needs it: string
// values with a bounded buffer, key existence, subkey names of any length, and
// key paths of any length.
#pragma once

#include "orrery/platform/key_guard.h"
#include "orrery/platform/registry.h"

#include <string>
#include <vector>

namespace orrery {

// The longest subkey text one open call takes: the ANSI registry calls turn
// it into a fixed buffer of MAX_PATH characters and refuse anything longer.
const size_t kMaxSubkeyText = 260;

// The buffer sizes the records read with: "size passed" counts the bytes the
// value may take, its terminating zero included.
const unsigned long kClassValueSize = 1023;   // 1024-byte buffer
const unsigned long kServerTestSize = 259;    // the DLL-server test

// The string value name (null or "": the default value) of an open key.
// False, with empty text, when the value is missing, does not fit in size
// bytes, or is not a string (REG_SZ, REG_EXPAND_SZ, or the first string of a
// REG_MULTI_SZ).
bool QueryText(CRegistry& registry, RegKey key, const char* name,
               unsigned long size, std::string* text);

// Opens keyPath below parent: in one call when the text fits one call,
// otherwise one key name at a time. Returns the seam's result; on success
// the caller closes *opened (pass a CKeyGuard's Receive()).
long OpenKeyPath(CRegistry& registry, RegKey parent, const std::string& keyPath,
                 RegKey* opened);

// Opens keyPath below parent, reads a string value as QueryText does, closes
// the key. Empty text when anything fails.
std::string ReadKeyText(CRegistry& registry, RegKey parent,
                        const std::string& keyPath, const char* name,
                        unsigned long size);

// Whether keyPath below parent can be opened (it is closed again).
bool KeyExists(CRegistry& registry, RegKey parent, const std::string& keyPath);

// The name of subkey index of key, however long: the buffer grows until the
// name fits. Returns the seam's result; kRegMoreData only for a name longer
// than any registry allows.
long EnumSubkeyName(CRegistry& registry, RegKey key, unsigned long index,
                    std::string* name);

// The names of every subkey of key, in enumeration order, taken before anything
// is looked up below them. Enumeration is by index, so a key deleted while the
// names are read shifts the later ones down by one and one would be passed
// over: the names are read again until a pass brings no new name (a few passes
// at most), and names seen in a later pass are merged in their place.
std::vector<std::string> ListSubkeyNames(CRegistry& registry, RegKey key);

}  // namespace orrery
