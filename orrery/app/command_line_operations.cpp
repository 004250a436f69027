#include "orrery/app/command_line_operations.h"

#include "orrery/app/details_operation.h"
#include "orrery/app/maintenance_windows.h"

#include <windows.h>

namespace {

void RegisterFile(const std::string& path)
{
    RegisterServerFile(path, true);
}

void UnregisterFile(const std::string& path)
{
    UnregisterServerFile(path);
}

// One row per switch. An operation not built yet is null: its switch is
// still recognised, and the user is told that it is not there.
const struct {
    const char* switchText;
    void (*run)(const std::string& path);
} kOperations[] = {
    {"-U", UnregisterFile},
    {"-R", RegisterFile},
    {"-V", RunDetailsOperation},
    {"-C", nullptr},
};

void TellNotAvailable(const std::string& switchText, const std::string& path)
{
    std::string text = "The operation " + switchText + " is not available in this version of Orrery.\n\n" + path;
    ::MessageBoxA(nullptr, text.c_str(), "Orrery", MB_OK | MB_ICONINFORMATION);
}

} // namespace

bool RunCommandLineOperation(const std::string& switchText, const std::string& path)
{
    for (const auto& operation : kOperations) {
        if (switchText != operation.switchText)
            continue;
        if (operation.run)
            operation.run(path);
        else
            TellNotAvailable(switchText, path);
        return true;
    }
    return false;
}
