// Putting a report into a file: a new file in the temporary directory, named
// by the system and given the format's extension, as the dialog does; or a
// file the caller names, as the command line does. A report that cannot be
// written in full is not left behind, and the failure comes back as a
// message that names the file and the system's reason.
#pragma once

#include "orrery/reports/report_writer.h"

#include <memory>
#include <string>

namespace orrery {

// An open file being written.
class CReportOutput : public CReportSink {
public:
    // Writes what is still buffered and closes the file; false when the
    // system refused (the reason is then in *reason).
    virtual bool Close(std::string* reason) = 0;
    // The system's reason for the write that failed last.
    virtual std::string WriteError() const = 0;
};

// The file calls of report generation. Each failing call gives the system's
// reason as text (for example "Access denied.").
class CReportFiles {
public:
    virtual ~CReportFiles() {}

    // GetTempPathA: the temporary directory, ending in a backslash.
    virtual bool TemporaryDirectory(std::string* directory, std::string* reason) = 0;
    // GetTempFileNameA(directory, prefix, 0): makes a new empty file with a
    // unique name and returns its full name.
    virtual bool MakeTemporaryFile(const std::string& directory, const char* prefix,
                                   std::string* path, std::string* reason) = 0;
    // MoveFileA: renames a file; fails when to exists.
    virtual bool Rename(const std::string& from, const std::string& to, std::string* reason) = 0;
    // Creates path anew (emptying a file of that name) for writing.
    virtual std::unique_ptr<CReportOutput> Create(const std::string& path, std::string* reason) = 0;
    // Removes a file; quietly does nothing when it cannot.
    virtual void Remove(const std::string& path) = 0;
};

// The extension of a report file: ".htm" for the HTML formats, ".txt" for
// the comma-delimited one.
const char* ReportExtension(ReportFormat format);

struct CReportFileResult {
    bool ok = false;
    std::string path;      // the report file, when ok
    std::string message;   // what went wrong, when not ok
    std::size_t written = 0;
};

// Writes the report into a new temporary file: GetTempFileNameA's file with
// the prefix "com", renamed by appending the extension, then created anew
// and written.
CReportFileResult WriteTemporaryReport(const CReportChoices& choices,
                                       const std::vector<CComObject*>& objects,
                                       CReportEnvironment& environment, CReportFiles& files,
                                       const ReportProgressFn& progress);

// Writes the report into the file at path, replacing what was there.
CReportFileResult WriteReportFile(const std::string& path, const CReportChoices& choices,
                                  const std::vector<CComObject*>& objects,
                                  CReportEnvironment& environment, CReportFiles& files,
                                  const ReportProgressFn& progress);

}  // namespace orrery
