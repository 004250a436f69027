#include "orrery/app/command_line_operations.h"

#include "orrery/app/details_operation.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/reports/compare_command.h"

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

bool RunCommandLineOperation(const std::string& switchText, const std::string& path)
{
    for (const auto& operation : kOperations) {
        if (switchText == operation.switchText) {
            operation.run(path);
            return true;
        }
    }
    return false;
}
