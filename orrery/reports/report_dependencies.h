// The DLLs a server depends on, as the plain report page lists them: the
// dependency walk of the server file, one line per DLL in the walk's order.
#pragma once

#include "orrery/platform/platform.h"
#include "orrery/reports/report_writer.h"

#include <string>
#include <vector>

namespace orrery {

// Appends the walk from the file at path to lines; false, with nothing
// appended, when the file cannot be opened.
bool CollectDependencyLines(CPlatform& platform, const std::string& path, std::vector<CDependencyLine>* lines);

}  // namespace orrery
