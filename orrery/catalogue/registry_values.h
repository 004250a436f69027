// The values of one key below HKEY_CLASSES_ROOT as the registry pane lists
// them (name, type, data as text), and the write-back of an edited string
// value.
#pragma once

#include "orrery/platform/registry.h"

#include <string>
#include <vector>

namespace orrery {

// The name the unnamed (default) value of a key is listed under.
extern const char kDefaultValueName[];
// "Data type not supported": the text of a value of any type without one.
extern const char kUnsupportedValueText[];

struct CRegistryValue {
    std::string name;        // as listed: kDefaultValueName for the unnamed value
    unsigned long type;      // REG_SZ, REG_DWORD, ...
    std::string text;        // the data as text
    std::string storedName;  // as the registry holds it: empty for the unnamed value
};

// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ: the types that can be edited.
bool IsStringValueType(unsigned long type);

// The data of a value as text: strings up to their first zero byte (the
// first string of a multi-string), binary data as "%X " per byte, a DWORD as
// "%X (%ld)", any other type kUnsupportedValueText.
std::string ValueDataText(unsigned long type, const std::string& data);

// Every value of the key at keyPath, sorted by listed name ignoring case;
// the unnamed value comes before one really named kDefaultValueName.
// Names and data of any length are read whole. False, with no values, when
// the key cannot be opened.
bool ListKeyValues(CRegistry& registry, const std::string& keyPath,
                   std::vector<CRegistryValue>* values);

// The data of a multi-string whose first string is replaced by first; the
// strings after it are kept and the data ends with two zero bytes. An empty
// first string, which would end the list there, drops out instead.
std::string ReplaceFirstString(const std::string& multiString, const std::string& first);

// Writes text as the new data of the value storedName (the unnamed default
// value for an empty name) of the key at keyPath, with the given string type. A multi-string keeps its further strings. Returns the result
// of opening the key to change it, or else of setting the value.
long WriteStringValue(CRegistry& registry, const std::string& keyPath,
                      const std::string& storedName, unsigned long type,
                      const std::string& text);

}  // namespace orrery
