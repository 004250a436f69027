// Running a console program from the win32 tests (reg.exe, catalogue-dump.exe)
// and reading what it writes.
#ifndef ORRERY_TESTS_CONSOLE_PROGRAM_H
#define ORRERY_TESTS_CONSOLE_PROGRAM_H

#include <windows.h>

#include <string>

struct CConsoleRun {
    bool started = false;
    DWORD exitCode = 0xffffffff;  // stays so when the program did not end in time
    std::string output;
};

// Runs commandLine without a window, on this program's standard input, and
// reads its standard output (with its error output when withErrors) until the
// program closes it; then waits at most waitMs for the program to end.
inline CConsoleRun RunConsoleProgram(const std::string& commandLine, bool withErrors, DWORD waitMs = 60000)
{
    CConsoleRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return run;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = withErrors ? writeEnd : ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    run.started = ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                   &startup, &process) != 0;
    ::CloseHandle(writeEnd);
    if (run.started) {
        char buffer[4096];
        DWORD read = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0)
            run.output.append(buffer, read);
        if (::WaitForSingleObject(process.hProcess, waitMs) == WAIT_OBJECT_0)
            ::GetExitCodeProcess(process.hProcess, &run.exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(readEnd);
    return run;
}

#endif
