// Reading the names of the DLLs that an executable image imports, straight
// from the bytes of its file: nothing is loaded and none of its code runs.
#pragma once

#include "orrery/platform/file_views.h"

#include <string>
#include <vector>

namespace orrery {

// Appends to names, in table order, the DLL name of every import descriptor
// of the image in view (duplicates as the table has them). False when the
// view is not an image: no "MZ" signature, or NT headers that do not fit in
// it. A table that leaves the view, or a name that does, ends the names
// there; what was read before stays appended and the result is still true.
bool ReadImportedDllNames(const CByteView& view, std::vector<std::string>* names);

}  // namespace orrery
