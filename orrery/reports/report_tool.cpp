// orrery-report.exe: writes the inventory report of one category of the
// machine's registered COM objects to a file, without any window, for
// scripts and scheduled inventories. The report is the one the Generate
// Report dialog writes for the same choices, objects in the tree's order.
#include "orrery/catalogue/catalogue.h"
#include "orrery/platform/win32_platform.h"
#include "orrery/reports/report_command.h"
#include "orrery/reports/tree_order.h"
#include "orrery/reports/win32_report_environment.h"
#include "orrery/reports/win32_report_files.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The tree control places sorted items with the system's word-sort
// comparison of their texts, lower case before upper case.
int CompareLikeTheTree(const std::string& a, const std::string& b)
{
    return ::lstrcmpA(a.c_str(), b.c_str());
}

// A message for the console: its paragraphs on one line.
std::string OneLine(std::string text)
{
    for (std::size_t at = text.find("\n\n"); at != std::string::npos; at = text.find("\n\n", at))
        text.replace(at, 2, " ");
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    orrery::CReportCommand command;
    std::string error;
    if (!orrery::ParseReportCommand(args, &command, &error)) {
        std::fprintf(stderr, "orrery-report: %s\nTry \"orrery-report.exe --help\" for the options.\n",
                     error.c_str());
        return 1;
    }
    if (command.showHelp) {
        std::fputs(orrery::ReportUsage().c_str(), stdout);
        return 0;
    }
    orrery::CWin32Platform machine;
    orrery::CCatalogue catalogue(machine.Get());
    catalogue.ScanRegistry();
    std::vector<orrery::CComObject*> objects =
        orrery::InTreeOrder(orrery::RecordsOf(catalogue.List(command.category)), CompareLikeTheTree);
    orrery::CWin32ReportEnvironment environment(machine.Get());
    orrery::CWin32ReportFiles files;
    orrery::CReportFileResult result =
        orrery::WriteReportFile(command.outputPath, command.choices, objects, environment, files, nullptr);
    if (!result.ok) {
        std::fprintf(stderr, "orrery-report: %s\n", OneLine(result.message).c_str());
        return 1;
    }
    return 0;
}
