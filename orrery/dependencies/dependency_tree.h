// The dependency tree of one file: a flat tree with one top-level item per
// DLL that the walk reached.
#pragma once

#include "orrery/catalogue/com_file.h"
#include "orrery/catalogue/list_and_tree.h"
#include "orrery/platform/platform.h"

namespace orrery {

// Item images of the dependency tree.
const int kDependencyImageFound = 0;
const int kDependencyImageMissing = 1;

// Walks the dependencies of a found file and inserts one item per DLL, in
// list order, with its display name, the found or missing image and the
// record as item data. The tree owns the records from then on: whoever
// clears it deletes them. A file that is not found, cannot be opened or
// imports nothing leaves the tree as it was.
void FillDependencyItems(CPlatform& platform, const CComFile& file, CTreeControl& tree);

}  // namespace orrery
