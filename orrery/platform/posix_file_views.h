// The file-view seam on POSIX systems, for the native benchmark and tools:
// paths are the host's own. The file is mapped with mmap, or read whole
// where it cannot be mapped.
#pragma once

#include "orrery/platform/file_views.h"

namespace orrery {

class CPosixFileViews : public CFileViews {
public:
    std::unique_ptr<CFileView> OpenView(const std::string& path) override;
};

}  // namespace orrery
