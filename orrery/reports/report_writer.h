// The inventory report: the objects of one category with the attributes the
// user picked, as a formatted HTML page (one table per object), a plain HTML
// page (one line per attribute, optionally with the server's DLLs) or a
// comma-delimited text file. The writer only writes text; where it goes and
// what it reads from the machine besides the records come through the seams
// below.
#pragma once

#include "orrery/catalogue/com_object.h"

#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace orrery {

enum ReportFormat {
    ReportFormatted = 0,       // "HTML (Formated)"
    ReportPlain = 1,           // "HTML (Plain)"
    ReportCommaDelimited = 2,  // "Text (Comma Delimited)"
};

const int kReportFormatCount = 3;

// The names of the formats, in the order of the dialog's list.
extern const char* const kReportFormatNames[kReportFormatCount];

// What the user chose.
struct CReportChoices {
    std::string categoryName;  // "Controls", "DLL Servers" or "EXE Servers"
    ReportFormat format = ReportFormatted;
    bool wellBehaved = true;   // write objects whose server file was found
    bool misbehaved = true;    // write objects whose server file is missing
    // The plain HTML format lists each written object's DLLs.
    bool includeDependencies = false;
    std::vector<int> attributes;  // AttributeIds, in the order of the columns
};

// One DLL of a server's dependency walk.
struct CDependencyLine {
    std::string name;   // as the importing file writes it
    std::string path;   // where it was found; empty when it was not
    bool found = false;
};

// What a report reads from the machine besides the records.
class CReportEnvironment {
public:
    virtual ~CReportEnvironment() {}

    virtual std::string ComputerName() = 0;
    // Today's local date.
    virtual std::tm Today() = 0;
    // The directory whose orrery.jpg the HTML header shows.
    virtual std::string PictureDirectory() = 0;
    // The DLLs reached from the server file at path, in the walk's order.
    // False when the file cannot be read at all (then nothing is listed).
    virtual bool CollectDependencies(const std::string& path,
                                     std::vector<CDependencyLine>* lines) = 0;
};

// Where the report's bytes go.
class CReportSink {
public:
    virtual ~CReportSink() {}
    // False when the bytes could not be written.
    virtual bool Write(const std::string& bytes) = 0;
};

// Told the index of each object of the set once the writer is done with it,
// whether the object was written or not.
typedef std::function<void(std::size_t index)> ReportProgressFn;

// The outcome of writing a report.
struct CReportCount {
    bool complete = false;      // every byte reached the sink
    std::size_t written = 0;    // objects written
};

// Writes the report of objects (in the order given) to sink, with CR LF line
// ends. Stops at the first write the sink refuses.
CReportCount WriteReport(const CReportChoices& choices,
                         const std::vector<CComObject*>& objects,
                         CReportEnvironment& environment, CReportSink& sink,
                         const ReportProgressFn& progress);

// True when choices let the object into the report.
bool IsReported(const CReportChoices& choices, const CComObject& object);

// The date as reports show it: "Monday, March 04, 2024".
std::string ReportDate(const std::tm& date);

}  // namespace orrery
