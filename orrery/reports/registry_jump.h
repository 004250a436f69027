// The registry-editor jump, as far as it needs no window: the key path of an
// object's CLSID, ProgID or TypeLib key, and the keystrokes that walk the
// editor's key tree down that path.
#pragma once

#include "orrery/catalogue/com_object.h"

#include <string>
#include <vector>

namespace orrery {

enum JumpTarget {
    JumpToClsid,
    JumpToProgId,
    JumpToTypeLib,
};

// "HKEY_CLASSES_ROOT\" and the key of the record's CLSID, ProgID or TypeLib,
// ending in "\".
std::string RegistryJumpPath(JumpTarget target, CComObject& record);

// One keystroke for the key tree: a character for its incremental search
// among the visible keys, or the right-arrow key, which expands the selected
// key and moves into it.
struct CKeystroke {
    bool expand;     // the right-arrow key
    char character;  // the character typed when expand is false
};

// Every "\" of the path expands; every other character is typed.
std::vector<CKeystroke> KeystrokesForPath(const std::string& path);

}  // namespace orrery
