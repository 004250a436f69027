// The two controls the records write into, reduced to what they need: a
// two-column list (label, value, kind of row) and a tree (text, kind of item,
// item data). The records say what a row or an item is; each view draws each
// kind with a picture from its own image list. The views adapt these to their
// common controls; tests record them.
#pragma once

#include <string>

namespace orrery {

class CComFile;

// What an attribute row shows.
enum class RowKind {
    Registry,  // a value read from the class's registry keys
    File,      // the file's location, status, size or times, or a file the class names
    Version,   // a string from the file's version resource
    Missing,   // the location and status of a file that is not there
};

// What a tree item stands for.
enum class ItemKind {
    RegistryKey,  // a registry key (drawn open while selected)
    FoundDll,     // a DLL the dependency walk found
    MissingDll,   // a DLL the dependency walk did not find
};

class CTwoColumnList {
public:
    virtual ~CTwoColumnList() {}

    // Appends a row at the end: column 0 the label, column 1 the value.
    virtual void AppendRow(const std::string& label, const std::string& value,
                           RowKind kind) = 0;
};

// An item of a CTreeControl; kTreeRoot stands for the top level.
typedef void* TreeItem;
const TreeItem kTreeRoot = nullptr;

class CTreeControl {
public:
    virtual ~CTreeControl() {}

    // Inserts an item last under parent and returns it. data is the record
    // the item stands for, or null; the tree does not own it.
    virtual TreeItem InsertItem(TreeItem parent, const std::string& text,
                                ItemKind kind, CComFile* data) = 0;

    virtual void Expand(TreeItem item) = 0;
};

}  // namespace orrery
