/* The registry writing and deleting the self-registering test servers share. */
#include "orrery/tests/servers/server_registry.h"

#include <stdio.h>
#include <string.h>

char module_path[MAX_PATH];

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

static LONG set_all(const struct server_text* texts, size_t text_count, const struct server_value* values,
                    size_t value_count)
{
    LONG result = ERROR_SUCCESS;
    size_t i;
    for (i = 0; i < text_count && result == ERROR_SUCCESS; ++i)
        result = set_text(texts[i].path, texts[i].name, texts[i].text);
    for (i = 0; i < value_count && result == ERROR_SUCCESS; ++i)
        result = set_value(values[i].path, values[i].name, values[i].type, values[i].data, values[i].size);
    return result;
}

static LONG register_control(const char* clsid, const char* name, const char* prog_id, const char* version)
{
    const struct server_text class_texts[] = {
        {"", "", name},
        {"\\InprocServer32", "", module_path},
        {"\\InprocServer32", "ThreadingModel", "Apartment"},
        {"\\ProgID", "", prog_id},
        {"\\Version", "", version},
        {"\\Control", "", ""},
    };
    char path[MAX_PATH];
    LONG result = ERROR_SUCCESS;
    size_t i;
    for (i = 0; i < COUNT_OF(class_texts) && result == ERROR_SUCCESS; ++i) {
        snprintf(path, sizeof path, "CLSID\\%s%s", clsid, class_texts[i].path);
        result = set_text(path, class_texts[i].name, class_texts[i].text);
    }
    snprintf(path, sizeof path, "%s\\CLSID", prog_id);
    if (result == ERROR_SUCCESS)
        result = set_text(prog_id, "", name);
    if (result == ERROR_SUCCESS)
        result = set_text(path, "", clsid);
    return result;
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

static LONG delete_trees(const char* const* keys, size_t count)
{
    LONG result = ERROR_SUCCESS;
    size_t i;
    for (i = 0; i < count; ++i) {
        LONG deleted = delete_tree(HKEY_CLASSES_ROOT, keys[i]);
        if (result == ERROR_SUCCESS)
            result = deleted;
    }
    return result;
}

static HRESULT as_hresult(LONG result)
{
    return result == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(result);
}

HRESULT WINAPI DllRegisterServer(void)
{
    const struct server_registration* server = &server_registration;
    LONG result = register_control(server->clsid, server->name, server->prog_id, server->version);
    if (result == ERROR_SUCCESS)
        result = set_all(server->texts, server->text_count, server->values, server->value_count);
    return as_hresult(result);
}

HRESULT WINAPI DllUnregisterServer(void)
{
    return as_hresult(delete_trees(server_registration.keys, server_registration.key_count));
}
