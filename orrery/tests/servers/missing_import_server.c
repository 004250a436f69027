/* orrery_missing_import.dll: a server that cannot be loaded, because it
   imports a function of orrery_absent_dependency.dll, which is never built. */
#include <windows.h>

int WINAPI AbsentFunction(void);

HRESULT WINAPI DllRegisterServer(void)
{
    return AbsentFunction() ? S_OK : E_FAIL;
}

HRESULT WINAPI DllUnregisterServer(void)
{
    return S_OK;
}
