/* orrery_test_server.dll: a server that registers and unregisters itself as
   a real one does. DllRegisterServer writes a control's class (server path,
   ProgID, type library, version, a key of values of every type), its ProgID
   key and type library key, and a second class registered like an EXE
   server with its AppID key; DllUnregisterServer deletes all of it again. */
#include "orrery/tests/servers/server_registry.h"
#include "orrery/tests/servers/test_server_ids.h"

#include <windows.h>

#define CONTROL_KEY "CLSID\\" TEST_CONTROL_CLSID
#define VALUES_KEY CONTROL_KEY "\\" TEST_VALUES_KEY
#define EXE_KEY "CLSID\\" TEST_EXE_CLSID
#define TYPELIB_KEY "TypeLib\\" TEST_TYPELIB "\\1.0"

static const BYTE binary[] = {0x00, 0xff, 0x10, 0x22, 0x5c};
static const char multi[] = "first\0second \"quoted\"\0";
static const char expand[] = "%SystemRoot%\\system32";
static const BYTE qword[] = {1, 2, 3, 4, 5, 6, 7, 8};
static const DWORD number = 0xdeadbeef;

static const struct server_text texts[] = {
    /* the control's type library */
    {CONTROL_KEY "\\TypeLib", "", TEST_TYPELIB},
    {TYPELIB_KEY, "", TEST_TYPELIB_NAME},
    {TYPELIB_KEY "\\0\\win32", "", module_path},
    {TYPELIB_KEY "\\FLAGS", "", "0"},
    /* the control's key of values */
    {VALUES_KEY, "Quoted \"name\"", "C:\\a \"b\" \\c"},
    {VALUES_KEY, "Lines", "one\r\ntwo"},
    {VALUES_KEY, "Empty", ""},
    {VALUES_KEY, "", "default"},
    /* the EXE server and its AppID */
    {EXE_KEY, "", TEST_EXE_NAME},
    {EXE_KEY, "AppID", TEST_APPID},
    {EXE_KEY "\\LocalServer32", "", module_path},
    {EXE_KEY "\\ProgID", "", TEST_EXE_PROGID},
    {TEST_EXE_PROGID "\\CLSID", "", TEST_EXE_CLSID},
    {"AppID\\" TEST_APPID, "", TEST_EXE_NAME},
    {"AppID\\" TEST_APPID, "RunAs", "Interactive User"},
};

/* The control's values of the other types. */
static const struct server_value values[] = {
    {VALUES_KEY, "Number", REG_DWORD, &number, sizeof number},
    {VALUES_KEY, "Binary", REG_BINARY, binary, sizeof binary},
    {VALUES_KEY, "Multi", REG_MULTI_SZ, multi, sizeof multi},
    {VALUES_KEY, "Expand", REG_EXPAND_SZ, expand, sizeof expand},
    {VALUES_KEY, "QWord", 11 /* REG_QWORD */, qword, sizeof qword},
    {VALUES_KEY, "Nothing", REG_NONE, NULL, 0},
};

static const char* const keys[] = {
    CONTROL_KEY, TEST_CONTROL_PROGID, "TypeLib\\" TEST_TYPELIB,
    EXE_KEY,     TEST_EXE_PROGID,     "AppID\\" TEST_APPID,
};

const struct server_registration server_registration = {
    TEST_CONTROL_CLSID, TEST_CONTROL_NAME, TEST_CONTROL_PROGID, "1.0",
    texts,              COUNT_OF(texts),   values,              COUNT_OF(values),
    keys,               COUNT_OF(keys),
};
