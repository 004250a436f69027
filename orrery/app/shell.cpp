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
        DWORD lastError = ::GetLastError();
        if (error)
            *error = ShellExecuteError(lastError, static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp)));
        return false;
    }

    bool WinHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) override
    {
        return ::WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
    }
};

CShell* g_shell = nullptr;

// The system error codes of the shell's own SE_ERR_ results. A result of 0
// is left out: the structure starts with it, so it may only mean that the
// shell set nothing.
struct CShellErrorCode {
    int shellError;
    DWORD error;
} const kShellErrors[] = {
    {SE_ERR_FNF, ERROR_FILE_NOT_FOUND},
    {SE_ERR_PNF, ERROR_PATH_NOT_FOUND},
    {SE_ERR_ACCESSDENIED, ERROR_ACCESS_DENIED},
    {SE_ERR_OOM, ERROR_NOT_ENOUGH_MEMORY},
    {SE_ERR_SHARE, ERROR_SHARING_VIOLATION},
    {SE_ERR_ASSOCINCOMPLETE, ERROR_NO_ASSOCIATION},
    {SE_ERR_DDETIMEOUT, ERROR_DDE_FAIL},
    {SE_ERR_DDEFAIL, ERROR_DDE_FAIL},
    {SE_ERR_DDEBUSY, ERROR_DDE_FAIL},
    {SE_ERR_NOASSOC, ERROR_NO_ASSOCIATION},
    {SE_ERR_DLLNOTFOUND, ERROR_DLL_NOT_FOUND},
};

} // namespace

DWORD ShellExecuteError(DWORD lastError, int instanceResult)
{
    if (lastError != ERROR_SUCCESS)
        return lastError;
    for (const CShellErrorCode& code : kShellErrors) {
        if (code.shellError == instanceResult)
            return code.error;
    }
    return ERROR_SUCCESS;
}

CShell& Shell()
{
    static CLiveShell live;
    return g_shell ? *g_shell : live;
}

void UseShell(CShell* shell)
{
    g_shell = shell;
}
