// The two controls the records write into, reduced to what they need: a
// two-column list (label, value, row image) and a tree (text, images, item
// data). The views adapt them to their common controls; tests record them.
#pragma once

#include <string>

namespace orrery {

class CComFile;

class CTwoColumnList {
public:
    virtual ~CTwoColumnList() {}

    // Appends a row at the end: column 0 the label, column 1 the value.
    // image indexes the image list of the view that owns the list.
    virtual void AppendRow(const std::string& label, const std::string& value,
                           int image) = 0;
};

// An item of a CTreeControl; kTreeRoot stands for the top level.
typedef void* TreeItem;
const TreeItem kTreeRoot = nullptr;

class CTreeControl {
public:
    virtual ~CTreeControl() {}

    // Inserts an item last under parent and returns it. data is the record
    // the item stands for, or null.
    virtual TreeItem InsertItem(TreeItem parent, const std::string& text,
                                int image, int selectedImage,
                                CComFile* data) = 0;

    virtual void Expand(TreeItem item) = 0;
};

}  // namespace orrery
