// Registry keys written as a registration file that regedit and "reg import"
// read back, so that every removal can be undone.
//
// The form is REGEDIT4: the program reads and writes the registry through
// its ANSI calls, and REGEDIT4 keeps text in that same code page, so the
// bytes read are the bytes written back. Lines end in CR LF. A string value
// is written as a quoted string only when it is one plain string (no line
// breaks or other control characters, one terminating zero); every other
// value, of any type, is written as hexadecimal bytes with its type, so that
// it comes back exactly.
#pragma once

#include "orrery/platform/registry.h"

#include <string>

namespace orrery {

// "REGEDIT4" and its line end: the first line of the file.
extern const char kRegFileHeader[];

// Appends an empty line, "[HKEY_CLASSES_ROOT\<path>]" and the key's values,
// then each subkey the same way, depth first. False when a key cannot be
// read, or has a name that cannot be written in this form; *reason then says
// which and why. A missing key appends nothing and succeeds.
bool AppendKeyTree(CRegistry& registry, const std::string& path, std::string* out,
                   std::string* reason);

// One value as its line(s) in the file, line end included: "@=..." for the
// default value (empty name), "\"name\"=..." otherwise. Empty text when the
// name cannot be written (it holds a line break or another control character).
std::string RegValueText(const std::string& name, unsigned long type, const std::string& bytes);

}  // namespace orrery
