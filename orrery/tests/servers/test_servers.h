// Where the tests find the test server DLLs: bin/test-servers beside the test
// program (see CMakeLists.txt here for what each one does).
#ifndef ORRERY_TESTS_SERVERS_TEST_SERVERS_H
#define ORRERY_TESTS_SERVERS_TEST_SERVERS_H

#include "orrery/tests/servers/test_server_ids.h"

#include <windows.h>

#include <string>

const char kSelfRegisteringServer[] = "orrery_test_server.dll";
const char kFailingServer[] = "orrery_failing_server.dll";
const char kPlainDll[] = "orrery_plain.dll";
const char kMissingImportServer[] = "orrery_missing_import.dll";

// The folder of the running program, without a trailing backslash.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\'));
}

// The full path of one of the test servers.
inline std::string TestServerPath(const char* fileName)
{
    return ProgramFolder() + "\\test-servers\\" + fileName;
}

#endif
