#include "orrery/app/command_line_operations.h"

#include "orrery/app/details_operation.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/reports/compare_command.h"
#include "orrery/reports/file_compare.h"

namespace {

void RegisterFile(const std::string& path)
{
    RegisterServerFile(path, true);
}

void UnregisterFile(const std::string& path)
{
    UnregisterServerFile(path);
}

// One row per switch.
const struct {
    const char* switchText;
    void (*run)(const std::string& path);
} kOperations[] = {
    {"-U", UnregisterFile},
    {"-R", RegisterFile},
    {"-V", RunDetailsOperation},
    {"-C", RunCompareOperation},
};

} // namespace

// The shell passes a path with blanks in quotes: every operation takes the
// path without them and without blanks around it.
bool RunCommandLineOperation(const std::string& switchText, const std::string& path)
{
    for (const auto& operation : kOperations) {
        if (switchText == operation.switchText) {
            operation.run(orrery::PathFromCommandLine(path));
            return true;
        }
    }
    return false;
}
