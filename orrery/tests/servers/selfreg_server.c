/* orrery_test_server.dll: a server that registers and unregisters itself as
   a real one does. DllRegisterServer writes a control's class (server path,
   ProgID, type library, version, a key of values of every type), its ProgID
   key and type library key, and a second class registered like an EXE
   server with its AppID key; DllUnregisterServer deletes all of it again. */
#include "orrery/tests/servers/test_server_ids.h"

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

static LONG write_values(void)
{
    static const char key[] = "CLSID\\" TEST_CONTROL_CLSID "\\" TEST_VALUES_KEY;
    static const BYTE binary[] = {0x00, 0xff, 0x10, 0x22, 0x5c};
    static const char multi[] = "first\0second \"quoted\"\0";
    static const char expand[] = "%SystemRoot%\\system32";
    static const BYTE qword[] = {1, 2, 3, 4, 5, 6, 7, 8};
    DWORD number = 0xdeadbeef;
    LONG result = set_value(key, "Number", REG_DWORD, &number, sizeof number);
    if (result == ERROR_SUCCESS)
        result = set_value(key, "Binary", REG_BINARY, binary, sizeof binary);
    if (result == ERROR_SUCCESS)
        result = set_value(key, "Multi", REG_MULTI_SZ, multi, sizeof multi);
    if (result == ERROR_SUCCESS)
        result = set_value(key, "Expand", REG_EXPAND_SZ, expand, sizeof expand);
    if (result == ERROR_SUCCESS)
        result = set_value(key, "QWord", 11 /* REG_QWORD */, qword, sizeof qword);
    if (result == ERROR_SUCCESS)
        result = set_value(key, "Nothing", REG_NONE, NULL, 0);
    if (result == ERROR_SUCCESS)
        result = set_text(key, "Quoted \"name\"", "C:\\a \"b\" \\c");
    if (result == ERROR_SUCCESS)
        result = set_text(key, "Lines", "one\r\ntwo");
    if (result == ERROR_SUCCESS)
        result = set_text(key, "Empty", "");
    if (result == ERROR_SUCCESS)
        result = set_text(key, "", "default");
    return result;
}

#define CONTROL_KEY "CLSID\\" TEST_CONTROL_CLSID
#define EXE_KEY "CLSID\\" TEST_EXE_CLSID

static LONG write_control(void)
{
    LONG result = set_text(CONTROL_KEY, "", TEST_CONTROL_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\InprocServer32", "", module_path);
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\InprocServer32", "ThreadingModel", "Apartment");
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\ProgID", "", TEST_CONTROL_PROGID);
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\TypeLib", "", TEST_TYPELIB);
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\Version", "", "1.0");
    if (result == ERROR_SUCCESS)
        result = set_text(CONTROL_KEY "\\Control", "", "");
    if (result == ERROR_SUCCESS)
        result = set_text(TEST_CONTROL_PROGID, "", TEST_CONTROL_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text(TEST_CONTROL_PROGID "\\CLSID", "", TEST_CONTROL_CLSID);
    if (result == ERROR_SUCCESS)
        result = set_text("TypeLib\\" TEST_TYPELIB "\\1.0", "", TEST_TYPELIB_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text("TypeLib\\" TEST_TYPELIB "\\1.0\\0\\win32", "", module_path);
    if (result == ERROR_SUCCESS)
        result = set_text("TypeLib\\" TEST_TYPELIB "\\1.0\\FLAGS", "", "0");
    if (result == ERROR_SUCCESS)
        result = write_values();
    return result;
}

static LONG write_exe_server(void)
{
    LONG result = set_text(EXE_KEY, "", TEST_EXE_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text(EXE_KEY, "AppID", TEST_APPID);
    if (result == ERROR_SUCCESS)
        result = set_text(EXE_KEY "\\LocalServer32", "", module_path);
    if (result == ERROR_SUCCESS)
        result = set_text(EXE_KEY "\\ProgID", "", TEST_EXE_PROGID);
    if (result == ERROR_SUCCESS)
        result = set_text(TEST_EXE_PROGID "\\CLSID", "", TEST_EXE_CLSID);
    if (result == ERROR_SUCCESS)
        result = set_text("AppID\\" TEST_APPID, "", TEST_EXE_NAME);
    if (result == ERROR_SUCCESS)
        result = set_text("AppID\\" TEST_APPID, "RunAs", "Interactive User");
    return result;
}

static HRESULT as_hresult(LONG result)
{
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(result);
}

HRESULT WINAPI DllRegisterServer(void)
{
    LONG result = write_control();
    if (result == ERROR_SUCCESS)
        result = write_exe_server();
    return as_hresult(result);
}

HRESULT WINAPI DllUnregisterServer(void)
{
    static const char* const keys[] = {
        "CLSID\\" TEST_CONTROL_CLSID, TEST_CONTROL_PROGID, "TypeLib\\" TEST_TYPELIB,
        "CLSID\\" TEST_EXE_CLSID,     TEST_EXE_PROGID,     "AppID\\" TEST_APPID,
    };
    LONG result = ERROR_SUCCESS;
    size_t i;
    for (i = 0; i < sizeof keys / sizeof keys[0]; ++i) {
        LONG deleted = delete_tree(HKEY_CLASSES_ROOT, keys[i]);
        if (result == ERROR_SUCCESS)
            result = deleted;
    }
    return as_hresult(result);
}
