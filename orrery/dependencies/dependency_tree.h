// The dependency tree of one file: a flat tree with one top-level item per
// DLL that the walk reached.
#pragma once

#include "orrery/catalogue/com_file.h"
#include "orrery/catalogue/list_and_tree.h"
#include "orrery/platform/platform.h"

namespace orrery {

// Walks the dependencies of a found file and inserts one item per DLL, in
// list order, with its display name, ItemKind::FoundDll or MissingDll and its
// record as item data. Returns the records in item order: the caller keeps
// them as long as the items. A file that is not found, cannot be opened or
// imports nothing leaves the tree as it was.
CFileRecords FillDependencyItems(CPlatform& platform, const CComFile& file, CTreeControl& tree);

}  // namespace orrery
