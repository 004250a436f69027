// The command line of orrery-report.exe, which writes an inventory report
// without any window, for scripts and scheduled inventories:
//   orrery-report.exe [--category controls|dll|exe] [--format formatted|plain|csv]
//                     [--deps] [--misbehaved-only | --well-behaved-only]
//                     [--attributes N,N,...] OUT
#pragma once

#include "orrery/catalogue/catalogue.h"
#include "orrery/reports/report_writer.h"

#include <string>
#include <vector>

namespace orrery {

struct CReportCommand {
    ObjectCategory category = CategoryControls;
    // Defaults: comma-delimited, every attribute in table order, both kinds
    // of object, no dependencies.
    CReportChoices choices;
    std::string outputPath;
    bool showHelp = false;   // --help: print the usage and write nothing
};

// The text --help prints, with the attribute numbers and their labels.
std::string ReportUsage();

// Reads the arguments that follow the program name. False, with a message in
// *error, for an unknown option, a bad value, conflicting options or a
// missing or extra file name.
bool ParseReportCommand(const std::vector<std::string>& args, CReportCommand* command,
                        std::string* error);

}  // namespace orrery
