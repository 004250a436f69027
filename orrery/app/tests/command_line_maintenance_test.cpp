// orrery.exe -R and -U on the real test servers, as the shell verbs start
// them: the program shows its message, runs no main window and ends when the
// message is closed.
#include "orrery/app/tests/box_answerer.h"
#include "orrery/tests/servers/test_servers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

struct CMessageWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMessageWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<CMessageWindowSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    if (owner == search->processId && ::IsWindowVisible(window) && std::string(name) == "#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The text of a control of another process, with Unix line ends.
std::string ControlText(HWND control)
{
    std::string result = WindowTextOf(control);
    for (size_t at = result.find("\r\n"); at != std::string::npos; at = result.find("\r\n", at))
        result.erase(at, 1);
    return result;
}

struct COrreryRun {
    std::string caption;
    std::string message;
    DWORD exitCode = 0xffffffff;
    bool ended = false;
};

// Starts orrery.exe with the command line, reads the first window it shows,
// closes it with OK and waits for the program to end.
COrreryRun RunOrrery(const std::string& arguments)
{
    COrreryRun run;
    std::string commandLine = "\"" + ProgramFolder() + "\\orrery.exe\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return run;
    CMessageWindowSearch search = {process.dwProcessId, nullptr};
    for (int wait = 0; wait < 600 && !search.found; ++wait) {
        if (::WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            break;
        ::EnumWindows(FindMessageWindow, reinterpret_cast<LPARAM>(&search));
    }
    if (search.found) {
        char caption[256] = "";
        ::GetWindowTextA(search.found, caption, sizeof caption);
        run.caption = caption;
        HWND text = ::GetDlgItem(search.found, 1070);  // the message dialog's text
        run.message = ControlText(text ? text : search.found);
        ::PostMessageA(search.found, WM_COMMAND, IDOK, 0);
    }
    run.ended = ::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    ::GetExitCodeProcess(process.hProcess, &run.exitCode);
    if (!run.ended)
        ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}

std::string Upper(std::string text)
{
    ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

TEST(CommandLineMaintenance, RegistersAndUnregistersTheTestServerAndEnds)
{
    std::string server = TestServerPath(kSelfRegisteringServer);
    COrreryRun run = RunOrrery("-r " + server);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ("Orrery", run.caption);
    EXPECT_EQ(Upper(server) + "\n\nRegistered Successfully !", run.message);
    EXPECT_TRUE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID "\\InprocServer32"));

    run = RunOrrery("-U " + server);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(Upper(server) + "\n\nUnregistered Successfully !", run.message);
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
    EXPECT_FALSE(ClassKeyExists("AppID\\" TEST_APPID));
}

// The shell quotes a path that holds blanks: -R and -U take it without the
// quotes, as -V and -C do.
TEST(CommandLineMaintenance, AQuotedPathIsRegisteredAndUnregisteredWithoutItsQuotes)
{
    std::string server = TestServerPath(kSelfRegisteringServer);
    COrreryRun run = RunOrrery("-R \"" + server + "\"");
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(Upper(server) + "\n\nRegistered Successfully !", run.message);
    EXPECT_TRUE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID "\\InprocServer32"));

    run = RunOrrery("-U \"" + server + "\" ");
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(Upper(server) + "\n\nUnregistered Successfully !", run.message);
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
}

TEST(CommandLineMaintenance, FailuresAreToldWithTheirReason)
{
    std::string failing = Upper(TestServerPath(kFailingServer));
    COrreryRun run = RunOrrery("-R " + failing);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(failing + "\n\nDllRegisterServer failed with error 0x80040201.\n"
                        "The server could not register all of its classes.",
              run.message);

    std::string plain = Upper(TestServerPath(kPlainDll));
    run = RunOrrery("-U " + plain);
    EXPECT_EQ("Failed to find 'DllUnregisterServer' function in " + plain, run.message);

    std::string broken = Upper(TestServerPath(kMissingImportServer));
    run = RunOrrery("-R " + broken);
    EXPECT_EQ(0u, run.message.find("Failed to load " + broken + " in order to register it.\n\n")) << run.message;
    EXPECT_NE(std::string::npos, Upper(run.message).find("THESE DLLS IT NEEDS WERE NOT FOUND:\nORRERY_ABSENT_DEPENDENCY.DLL"))
        << "the DLL it imports and that is nowhere: " << run.message;
    EXPECT_TRUE(run.ended);
}

} // namespace
