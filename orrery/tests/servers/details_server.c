/* orrery_details_server.dll: a control that registers and unregisters its
   own class, ProgID and a key of settings, for the tests of the details
   window and of the "-V" start. Its class is its own, so that these tests
   never meet the classes other tests register at the same time. */
#include "orrery/tests/servers/details_server_ids.h"

#include <windows.h>

#include <string.h>

static char module_path[MAX_PATH];

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH)
        GetModuleFileNameA(instance, module_path, sizeof module_path);
    return TRUE;
}

static LONG set_value(const char* path, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    LONG result = RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    if (result != ERROR_SUCCESS)
        return result;
    result = RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
    return result;
}

static LONG set_text(const char* path, const char* name, const char* text)
{
    return set_value(path, name, REG_SZ, text, (DWORD)strlen(text) + 1);
}

static LONG delete_tree(HKEY parent, const char* name)
{
    HKEY key;
    char child[256];
    LONG result = RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key);
    if (result == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS)
        return result;
    for (;;) {
        DWORD size = sizeof child;
        if (RegEnumKeyExA(key, 0, child, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        result = delete_tree(key, child);
        if (result != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? RegDeleteKeyA(parent, name) : result;
}

#define CLASS_KEY "CLSID\\" DETAILS_CLSID
#define VALUES_KEY CLASS_KEY "\\" DETAILS_VALUES_KEY

static LONG write_settings(void)
{
    static const BYTE colour[] = {0x0a, 0x00, 0xff, 0x7f};
    static const char paths[] = "C:\\Tarnwick\0D:\\Shared Files\0";
    static const char cache[] = "%TEMP%\\orrery";
    DWORD timeout = 255;
    LONG result = set_text(VALUES_KEY, "Caption", "Tarnwick Gauge");
    if (result == ERROR_SUCCESS)
        result = set_value(VALUES_KEY, "Timeout", REG_DWORD, &timeout, sizeof timeout);
    if (result == ERROR_SUCCESS)
        result = set_value(VALUES_KEY, "Colour", REG_BINARY, colour, sizeof colour);
    if (result == ERROR_SUCCESS)
        result = set_value(VALUES_KEY, "Search Paths", REG_MULTI_SZ, paths, sizeof paths);
    if (result == ERROR_SUCCESS)
        result = set_value(VALUES_KEY, "Cache", REG_EXPAND_SZ, cache, sizeof cache);
    if (result == ERROR_SUCCESS)
        result = set_text(VALUES_KEY, "", "gauge settings");
    return result;
}

HRESULT WINAPI DllRegisterServer(void)
{
    LONG result = set_text(CLASS_KEY, "", DETAILS_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text(CLASS_KEY "\\InprocServer32", "", module_path);
    if (result == ERROR_SUCCESS)
        result = set_text(CLASS_KEY "\\InprocServer32", "ThreadingModel", "Apartment");
    if (result == ERROR_SUCCESS)
        result = set_text(CLASS_KEY "\\ProgID", "", DETAILS_PROGID);
    if (result == ERROR_SUCCESS)
        result = set_text(CLASS_KEY "\\Version", "", "2.1");
    if (result == ERROR_SUCCESS)
        result = set_text(CLASS_KEY "\\Control", "", "");
    if (result == ERROR_SUCCESS)
        result = set_text(DETAILS_PROGID, "", DETAILS_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text(DETAILS_PROGID "\\CLSID", "", DETAILS_CLSID);
    if (result == ERROR_SUCCESS)
        result = write_settings();
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(result);
}

HRESULT WINAPI DllUnregisterServer(void)
{
    LONG result = delete_tree(HKEY_CLASSES_ROOT, CLASS_KEY);
    LONG progId = delete_tree(HKEY_CLASSES_ROOT, DETAILS_PROGID);
    if (result == ERROR_SUCCESS)
        result = progId;
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(result);
}
