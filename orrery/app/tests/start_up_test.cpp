// orrery.exe started as the shell and the user start it, in the test run's
// own Wine prefix: its boxes answered, its main window closed when it comes
// up, and the registry read back with reg.exe afterwards.
#include "orrery/app/tests/box_answerer.h"
#include "orrery/tests/console_program.h"
#include "orrery/tests/servers/test_servers.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

struct Started {
    bool ended = false;
    DWORD exitCode = 0;
    bool mainWindow = false;
    std::vector<CBoxAnswerer::Box> boxes;

    std::string AllBoxTexts() const
    {
        std::string texts;
        for (const CBoxAnswerer::Box& box : boxes)
            texts += "[" + box.caption + "] " + box.text + "\n";
        return texts;
    }
};

struct FindFrame {
    DWORD processId;
    HWND frame;
};

BOOL CALLBACK OnWindow(HWND window, LPARAM data)
{
    FindFrame& find = *reinterpret_cast<FindFrame*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char name[32] = "";
    ::GetClassNameA(window, name, sizeof name);
    if (processId == find.processId && std::string(name) == "OrreryFrame" && ::IsWindowVisible(window)) {
        find.frame = window;
        return FALSE;
    }
    return TRUE;
}

// Runs a command line and returns what it wrote to its standard output.
std::string Output(const std::string& commandLine, DWORD* exitCode = nullptr)
{
    CConsoleRun run = RunConsoleProgram(commandLine, true, 30000);
    if (exitCode)
        *exitCode = run.exitCode;
    return run.output;
}

std::string OrreryPath()
{
    return ProgramFolder() + "\\orrery.exe";
}

// Starts orrery.exe with arguments, answers its boxes, closes its main
// window once it is up, and waits for it to end (at most a minute).
Started StartOrrery(const std::string& arguments)
{
    Started result;
    std::string line = "\"" + OrreryPath() + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "could not start " << line;
        return result;
    }
    {
        CBoxAnswerer answerer(process.dwProcessId);
        DWORD start = ::GetTickCount();
        while (::WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT && ::GetTickCount() - start < 60000) {
            {
                FindFrame find = {process.dwProcessId, nullptr};
                ::EnumWindows(OnWindow, reinterpret_cast<LPARAM>(&find));
                if (find.frame && !result.mainWindow) {
                    result.mainWindow = true;
                    ::PostMessageA(find.frame, WM_CLOSE, 0, 0);
                }
            }
        }
        result.boxes = answerer.TakeBoxes();
    }
    result.ended = ::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
    if (!result.ended)
        ::TerminateProcess(process.hProcess, 99);
    ::GetExitCodeProcess(process.hProcess, &result.exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

// The default value of a key below HKEY_CLASSES_ROOT as reg.exe shows it,
// or "<missing>".
std::string DefaultValue(const std::string& key)
{
    DWORD exitCode = 1;
    std::string output = Output("reg query \"HKCR\\" + key + "\" /ve", &exitCode);
    std::string::size_type type = output.find("REG_SZ");
    if (exitCode != 0 || type == std::string::npos)
        return "<missing>";
    std::string::size_type start = output.find_first_not_of(" \t", type + 6);
    std::string::size_type end = output.find_first_of("\r\n", start);
    return start == std::string::npos ? "" : output.substr(start, end - start);
}

void DeleteKey(const std::string& key)
{
    ::SHDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
}

void ForgetVerbs()
{
    for (const char* key : {"ocxfile\\shell", "ocxfile\\DefaultIcon", "dllfile\\shell\\R", "dllfile\\shell\\V",
                            "dllfile\\shell\\C", "dllfile\\shell\\U"})
        DeleteKey(key);
    ASSERT_FALSE(ClassKeyExists("ocxfile\\shell\\R"));
    ASSERT_FALSE(ClassKeyExists("dllfile\\shell\\U"));
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(StartUp, AStartWithoutArgumentsWritesTheShellVerbs)
{
    ForgetVerbs();
    HKEY old = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyA(HKEY_CLASSES_ROOT, "dllfile\\shell\\Register DLL Server\\command", &old));
    ::RegCloseKey(old);
    ASSERT_TRUE(ClassKeyExists("dllfile\\shell\\Register DLL Server"));

    Started started = StartOrrery("");
    EXPECT_TRUE(started.ended);
    EXPECT_TRUE(started.mainWindow);
    EXPECT_TRUE(started.boxes.empty()) << started.AllBoxTexts();

    const std::string program = OrreryPath();
    EXPECT_EQ("ocxfile", DefaultValue(".ocx"));
    EXPECT_EQ(program, DefaultValue("ocxfile\\DefaultIcon"));
    EXPECT_NE(program, DefaultValue("dllfile\\DefaultIcon"));
    const struct {
        const char* type;
        const char* typeText;
    } types[] = {{"ocxfile", "ActiveX Control"}, {"dllfile", "DLL Server"}};
    for (const auto& type : types) {
        std::string shell = std::string(type.type) + "\\shell";
        EXPECT_EQ("R", DefaultValue(shell));
        EXPECT_EQ("Register " + std::string(type.typeText), DefaultValue(shell + "\\R"));
        EXPECT_EQ("View " + std::string(type.typeText) + " Details", DefaultValue(shell + "\\V"));
        EXPECT_EQ("Compare With...", DefaultValue(shell + "\\C"));
        EXPECT_EQ("Unregister " + std::string(type.typeText), DefaultValue(shell + "\\U"));
        for (const char* verb : {"R", "V", "C", "U"})
            EXPECT_EQ(program + " -" + verb + " %1", DefaultValue(shell + "\\" + verb + "\\command")) << verb;
    }
    EXPECT_FALSE(ClassKeyExists("dllfile\\shell\\Register DLL Server"));
}

TEST(StartUp, OtherInteractiveStartsWriteNoVerbs)
{
    // A switch that names no operation, and a line too short to hold a path.
    for (const char* arguments : {"-X C:\\A.DLL", "-V "}) {
        ForgetVerbs();
        Started started = StartOrrery(arguments);
        EXPECT_TRUE(started.ended) << arguments;
        EXPECT_TRUE(started.mainWindow) << arguments;
        EXPECT_TRUE(started.boxes.empty()) << arguments << "\n" << started.AllBoxTexts();
        EXPECT_FALSE(ClassKeyExists("ocxfile\\shell\\R")) << arguments;
        EXPECT_FALSE(ClassKeyExists("dllfile\\shell\\R")) << arguments;
    }
}

TEST(StartUp, AShellVerbRunsItsOperationOnTheUpperCasedPathAndEnds)
{
    ForgetVerbs();
    const std::string server = TestServerPath(kSelfRegisteringServer);
    Started registered = StartOrrery("-r " + Lower(server));
    EXPECT_TRUE(registered.ended);
    EXPECT_FALSE(registered.mainWindow);
    EXPECT_EQ(0u, registered.exitCode);
    ASSERT_EQ(1u, registered.boxes.size()) << registered.AllBoxTexts();
    EXPECT_NE(std::string::npos, registered.boxes[0].text.find(Upper(server) + "\r\n\r\nRegistered Successfully !"))
        << registered.boxes[0].text;
    EXPECT_TRUE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));

    Started unregistered = StartOrrery("-U " + server);
    EXPECT_TRUE(unregistered.ended);
    EXPECT_FALSE(unregistered.mainWindow);
    ASSERT_EQ(1u, unregistered.boxes.size()) << unregistered.AllBoxTexts();
    EXPECT_NE(std::string::npos, unregistered.boxes[0].text.find("Unregistered Successfully !"))
        << unregistered.boxes[0].text;
    EXPECT_FALSE(ClassKeyExists("CLSID\\" TEST_CONTROL_CLSID));
    EXPECT_FALSE(ClassKeyExists("ocxfile\\shell\\R")) << "no verbs written by an operation's start";
}

TEST(StartUp, EveryOperationSwitchEndsWithoutAMainWindow)
{
    for (const char* arguments : {"-r c:\\x.ocx", "-u c:\\x.ocx", "-v c:\\x.ocx", "-c c:\\x.ocx"}) {
        Started started = StartOrrery(arguments);
        EXPECT_TRUE(started.ended) << arguments;
        EXPECT_FALSE(started.mainWindow) << arguments;
        std::string texts = started.AllBoxTexts();
        EXPECT_NE(std::string::npos, texts.find("C:\\X.OCX")) << arguments << "\n" << texts;
        EXPECT_EQ(std::string::npos, texts.find("c:\\x.ocx")) << arguments << "\n" << texts;
    }
}

} // namespace
