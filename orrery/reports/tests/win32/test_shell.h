// A shell for the tools' window tests: it records every call and starts
// nothing, unless a test gives it something to do when a command line is
// executed (start a stand-in program, refuse to start).
#ifndef ORRERY_REPORTS_TESTS_WIN32_TEST_SHELL_H
#define ORRERY_REPORTS_TESTS_WIN32_TEST_SHELL_H

#include "orrery/app/shell.h"

#include <functional>
#include <string>
#include <vector>

class CTestShell : public CShell {
public:
    struct Call {
        std::string kind;  // "execute", "open" or "winhelp"
        HWND owner;
        std::string target;
        UINT command;
        ULONG_PTR data;
    };

    UINT Execute(const std::string& commandLine, int /*show*/) override
    {
        calls.push_back({"execute", nullptr, commandLine, 0, 0});
        if (onExecute)
            onExecute(commandLine);
        return executeResult;
    }
    bool Open(HWND owner, const std::string& target, int /*show*/, DWORD* /*error*/) override
    {
        calls.push_back({"open", owner, target, 0, 0});
        return true;
    }
    bool WinHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) override
    {
        calls.push_back({"winhelp", owner, helpFile, command, data});
        return true;
    }

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
    UINT executeResult = 33;
    std::function<void(const std::string&)> onExecute;
};

#endif
