#include "orrery/platform/win32_modules.h"

#include "orrery/platform/system_error.h"

#include <windows.h>

namespace orrery {

namespace {

// DllRegisterServer and DllUnregisterServer: STDAPI, no arguments.
typedef HRESULT(STDAPICALLTYPE* SelfRegistrationFn)();

DWORD WINAPI ReleaseModule(void* module)
{
    ::FreeLibrary(static_cast<HMODULE>(module));
    return 0;
}

}  // namespace

ModuleHandle CWin32Modules::Load(const char* path, unsigned long* error)
{
    // A server that cannot load (a DLL it imports is missing) must not make
    // Windows stop the program with a box of its own.
    UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = ::LoadLibraryA(path);
    DWORD lastError = ::GetLastError();
    ::SetErrorMode(previous);
    if (!module && error)
        *error = lastError;
    return reinterpret_cast<ModuleHandle>(module);
}

EntryPoint CWin32Modules::FindEntryPoint(ModuleHandle module, const char* name)
{
    return reinterpret_cast<EntryPoint>(::GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}

Hresult CWin32Modules::CallEntryPoint(EntryPoint entry)
{
    return reinterpret_cast<SelfRegistrationFn>(entry)();
}

bool CWin32Modules::Release(ModuleHandle module)
{
    return ::FreeLibrary(reinterpret_cast<HMODULE>(module)) != FALSE;
}

void CWin32Modules::ReleaseOnWorkerThread(ModuleHandle module)
{
    DWORD threadId = 0;
    HANDLE thread = ::CreateThread(nullptr, 0, ReleaseModule, reinterpret_cast<void*>(module), 0, &threadId);
    if (thread)
        ::CloseHandle(thread);
}

std::string CWin32Modules::ErrorText(unsigned long code)
{
    return SystemMessage(code);
}

}  // namespace orrery
