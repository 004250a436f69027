/* What the test servers share: their own path, and writing and deleting
   keys below HKEY_CLASSES_ROOT the way a self-registering server does. */
#ifndef ORRERY_TESTS_SERVERS_SERVER_REGISTRY_H
#define ORRERY_TESTS_SERVERS_SERVER_REGISTRY_H

#include <windows.h>

#include <stddef.h>

/* The server's own file, known once it is loaded. */
extern char module_path[MAX_PATH];

/* One REG_SZ value to write: the key's path, the value's name ("" for the
   key's default value) and its text. */
struct server_text {
    const char* path;
    const char* name;
    const char* text;
};

/* One value of any type to write, as RegSetValueEx takes it. */
struct server_value {
    const char* path;
    const char* name;
    DWORD type;
    const void* data;
    DWORD size;
};

/* Everything a self-registering test server writes when it registers and
   deletes when it unregisters. */
struct server_registration {
    /* the control: its class key with the server's path (apartment-threaded),
       ProgID, version and Control keys, and its ProgID's key */
    const char* clsid;
    const char* name;
    const char* prog_id;
    const char* version;
    /* the server's other values, written in order after the control's */
    const struct server_text* texts;
    size_t text_count;
    const struct server_value* values;
    size_t value_count;
    /* the keys below HKEY_CLASSES_ROOT unregistering deletes whole (a
       missing one counts as deleted) */
    const char* const* keys;
    size_t key_count;
};

/* What this server registers: each server defines it. DllRegisterServer
   writes it and returns S_OK or the registry's first failure as an HRESULT
   (writing stops there); DllUnregisterServer deletes its keys and returns
   the same (deleting goes on past a failure). */
extern const struct server_registration server_registration;

#define COUNT_OF(table) (sizeof(table) / sizeof((table)[0]))

#endif
