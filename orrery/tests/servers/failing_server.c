/* orrery_failing_server.dll: entry points that fail, as a server does when it
   is refused access or cannot write its classes. Neither touches the
   registry. */
#include "orrery/tests/servers/test_server_ids.h"

#include <windows.h>

HRESULT WINAPI DllRegisterServer(void)
{
    return (HRESULT)TEST_REGISTER_FAILURE;
}

HRESULT WINAPI DllUnregisterServer(void)
{
    return (HRESULT)TEST_UNREGISTER_FAILURE;
}
