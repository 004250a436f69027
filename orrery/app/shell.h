// CShell: the calls that hand work to other programs — starting a command
// line, opening a file or an address with the program the shell picks, and
// the help viewer. The windows go through Shell(), so that a test can see
// what would have been started instead of starting it.
#ifndef ORRERY_APP_SHELL_H
#define ORRERY_APP_SHELL_H

#include <windows.h>

#include <string>

class CShell {
public:
    virtual ~CShell() = default;
    // WinExec(commandLine, show): greater than 31 when the program started.
    virtual UINT Execute(const std::string& commandLine, int show) = 0;
    // ShellExecuteExA with the default verb: true when the target was
    // opened; otherwise the system's error code is in *error.
    virtual bool Open(HWND owner, const std::string& target, int show, DWORD* error) = 0;
    // WinHelpA(owner, helpFile, command, data).
    virtual bool WinHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) = 0;
};

// Why ShellExecuteExA failed: the thread's last error when it set one,
// otherwise the error its instance result (an SE_ERR_ value) stands for;
// ERROR_SUCCESS only when neither says anything.
DWORD ShellExecuteError(DWORD lastError, int instanceResult);

// The live shell, unless a test has handed in another.
CShell& Shell();
// Makes the windows use another shell; null returns to the live one.
void UseShell(CShell* shell);

#endif
