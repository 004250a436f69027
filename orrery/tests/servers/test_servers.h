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
const char kDetailsServer[] = "orrery_details_server.dll";

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

// Calls one of a test server's entry points (DllRegisterServer,
// DllUnregisterServer) in this process: what it returned, or the failure to
// load the server or find the entry point.
inline HRESULT CallTestServer(const char* fileName, const char* entryPoint)
{
    HMODULE server = ::LoadLibraryA(TestServerPath(fileName).c_str());
    if (!server)
        return HRESULT_FROM_WIN32(::GetLastError());
    typedef HRESULT(WINAPI * EntryPoint)();
    EntryPoint call = reinterpret_cast<EntryPoint>(::GetProcAddress(server, entryPoint));
    HRESULT result = call ? call() : HRESULT_FROM_WIN32(::GetLastError());
    ::FreeLibrary(server);
    return result;
}

// Whether the key at path below HKEY_CLASSES_ROOT exists.
inline bool ClassKeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

#endif
