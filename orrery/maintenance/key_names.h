// Tests on the names that a class's values give for keys to delete. A
// removal deletes only keys it can tell belong to the class: the values
// come from the registry and may be damaged or written by someone hostile.
#pragma once

#include <string>

namespace orrery {

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" with hexadecimal digits, nothing
// before or after.
bool IsBracedGuid(const std::string& name);

// Whether a ProgID value can name a key of its own directly below
// HKEY_CLASSES_ROOT: not blank, one key name (no backslash, no control
// character), and none of the keys the whole machine relies on (CLSID,
// Interface, TypeLib, AppID, "*", file extensions and the like). When it
// cannot, *reason says why, as the removal report shows it.
bool IsOwnProgIdName(const std::string& progId, std::string* reason);

// Compares two key names as the registry does: ignoring case.
bool SameKeyName(const std::string& a, const std::string& b);

// A text fit to be part of a file name: characters Windows does not allow
// in one become '_', and it is cut to at most maxLength characters.
std::string FileNamePart(const std::string& text, size_t maxLength);

}  // namespace orrery
