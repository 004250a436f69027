// A shell for the window tests: it starts and opens nothing and keeps one
// line per call, so a test sees what the program would have started. A test
// may give it something to do when a command line is executed (start a
// stand-in program, for one).
#ifndef ORRERY_APP_TESTS_RECORDING_SHELL_H
#define ORRERY_APP_TESTS_RECORDING_SHELL_H

#include "orrery/app/shell.h"

#include <functional>
#include <string>
#include <vector>

class CRecordingShell : public CShell {
public:
    struct Call {
        std::string kind;  // "execute", "open" or "winhelp"
        HWND owner;
        std::string target;
        unsigned command;
        unsigned long data;
    };

    UINT Execute(const std::string& commandLine, int /*show*/) override
    {
        calls.push_back({"execute", nullptr, commandLine, 0, 0});
        if (onExecute)
            onExecute(commandLine);
        return executeResult;
    }
    bool Open(HWND owner, const std::string& target, int /*show*/, DWORD* error) override
    {
        calls.push_back({"open", owner, target, 0, 0});
        if (openError && error)
            *error = openError;
        return openError == 0 && !failWithoutReason;
    }
    bool WinHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) override
    {
        calls.push_back({"winhelp", owner, helpFile, command, static_cast<unsigned long>(data)});
        return true;
    }

    // The command lines executed, in order.
    std::vector<std::string> Executed() const
    {
        std::vector<std::string> lines;
        for (const Call& call : calls) {
            if (call.kind == "execute")
                lines.push_back(call.target);
        }
        return lines;
    }

    std::vector<Call> calls;
    // What Execute returns: above 31 as for a program that started, or the
    // error of one that could not be.
    UINT executeResult = 33;
    // Called with each command line executed, before Execute returns.
    std::function<void(const std::string&)> onExecute;
    // Open fails with this code when it is not 0.
    DWORD openError = 0;
    // Open fails and gives no code.
    bool failWithoutReason = false;
};

#endif
