#include "orrery/app/start_up.h"

#include "orrery/app/command_line.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/app/program_paths.h"
#include "orrery/app/program_state.h"
#include "orrery/app/shell_verbs.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

#include <windows.h>

namespace {

class CSystemCodePage : public CCodePage {
public:
    bool IsLeadByte(unsigned char byte) const override { return ::IsDBCSLeadByte(byte) != FALSE; }
    unsigned char UpperCase(unsigned char byte) const override
    {
        char text[1] = {static_cast<char>(byte)};
        ::CharUpperBuffA(text, 1);
        return static_cast<unsigned char>(text[0]);
    }
};

// The program's full path; empty when it does not fit the buffer, so that
// no cut path is ever written into a verb.
std::string ModulePath()
{
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

} // namespace

std::string UpperCasedCommandLine(const std::string& commandLine)
{
    return UpperCaseCommandLine(commandLine, CSystemCodePage());
}

void RegisterProgramShellVerbs()
{
    std::string modulePath = ModulePath();
    if (modulePath.empty())
        return;
    CShellVerbTexts texts = {LoadResourceString(IDS_ACTIVEX_CONTROL), LoadResourceString(IDS_DLL_SERVER),
                             LoadResourceString(IDS_VERB_REGISTER),   LoadResourceString(IDS_VERB_UNREGISTER),
                             LoadResourceString(IDS_VERB_COMPARE),    LoadResourceString(IDS_VERB_VIEW),
                             LoadResourceString(IDS_VERB_DETAILS)};
    CWindowsMaintenanceUI ui;
    RegisterShellVerbs(Machine().registry, ui, texts, ProgramDirectoryOf(modulePath), ExecutableNameOf(modulePath));
}
