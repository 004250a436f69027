#include "orrery/reports/report_file.h"

namespace orrery {

namespace {

CReportFileResult Failure(const std::string& message, const std::string& reason)
{
    CReportFileResult result;
    result.message = message + "\n\n" + reason;
    return result;
}

}  // namespace

const char* ReportExtension(ReportFormat format)
{
    return format == ReportCommaDelimited ? ".txt" : ".htm";
}

CReportFileResult WriteTemporaryReport(const CReportChoices& choices,
                                       const std::vector<CComObject*>& objects,
                                       CReportEnvironment& environment, CReportFiles& files,
                                       const ReportProgressFn& progress)
{
    std::string directory, temporary, reason;
    if (!files.TemporaryDirectory(&directory, &reason))
        return Failure("Orrery could not find the temporary folder to write the report in.", reason);
    if (!files.MakeTemporaryFile(directory, "com", &temporary, &reason))
        return Failure("Orrery could not create a report file in the folder " + directory + ".", reason);
    std::string path = temporary + ReportExtension(choices.format);
    if (!files.Rename(temporary, path, &reason)) {
        files.Remove(temporary);
        return Failure("Orrery could not rename the report file " + temporary + " to " + path + ".", reason);
    }
    CReportFileResult result = WriteReportFile(path, choices, objects, environment, files, progress);
    // The renamed file is still the empty one when it could not be opened.
    if (!result.ok)
        files.Remove(path);
    return result;
}

CReportFileResult WriteReportFile(const std::string& path, const CReportChoices& choices,
                                  const std::vector<CComObject*>& objects,
                                  CReportEnvironment& environment, CReportFiles& files,
                                  const ReportProgressFn& progress)
{
    std::string reason;
    std::unique_ptr<CReportOutput> output = files.Create(path, &reason);
    if (!output)
        return Failure("Orrery could not create the report file " + path + ".", reason);
    CReportCount count = WriteReport(choices, objects, environment, *output, progress);
    if (!count.complete)
        reason = output->WriteError();
    std::string closeReason;
    bool closed = output->Close(&closeReason);
    output.reset();
    if (!count.complete || !closed) {
        files.Remove(path);
        return Failure("Orrery could not write the report file " + path + "; it has been removed.",
                       count.complete ? closeReason : reason);
    }
    CReportFileResult result;
    result.ok = true;
    result.path = path;
    result.written = count.written;
    return result;
}

}  // namespace orrery
