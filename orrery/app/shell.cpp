#include "orrery/app/shell.h"

#include <shellapi.h>

namespace {

class CLiveShell : public CShell {
public:
    UINT Execute(const std::string& commandLine, int show) override
    {
        return ::WinExec(commandLine.c_str(), show);
    }

    bool Open(HWND owner, const std::string& target, int show, DWORD* error) override
    {
        SHELLEXECUTEINFOA info = {};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.lpFile = target.c_str();
        info.nShow = show;
        if (::ShellExecuteExA(&info))
            return true;
        if (error)
            *error = ::GetLastError();
        return false;
    }

    bool WinHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) override
    {
        return ::WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
    }
};

CShell* g_shell = nullptr;

} // namespace

CShell& Shell()
{
    static CLiveShell live;
    return g_shell ? *g_shell : live;
}

void UseShell(CShell* shell)
{
    g_shell = shell;
}
