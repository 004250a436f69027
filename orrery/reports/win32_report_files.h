// The Win32 side of report generation: the temporary directory and file,
// renaming, writing and removing, each failure with the system's reason.
#pragma once

#include "orrery/reports/report_file.h"

#include <string>

namespace orrery {

class CWin32ReportFiles : public CReportFiles {
public:
    bool TemporaryDirectory(std::string* directory, std::string* reason) override;
    bool MakeTemporaryFile(const std::string& directory, const char* prefix, std::string* path,
                           std::string* reason) override;
    bool Rename(const std::string& from, const std::string& to, std::string* reason) override;
    std::unique_ptr<CReportOutput> Create(const std::string& path, std::string* reason) override;
    void Remove(const std::string& path) override;
};

}  // namespace orrery
