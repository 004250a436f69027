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

/* Creates the key at path (and the keys on the way) and sets one value. */
LONG set_value(const char* path, const char* name, DWORD type, const void* data, DWORD size);
/* The same for a REG_SZ text. */
LONG set_text(const char* path, const char* name, const char* text);
/* Writes the texts, then the values, in order; stops at the first failure
   and returns it. */
LONG set_all(const struct server_text* texts, size_t text_count, const struct server_value* values,
             size_t value_count);
/* Registers this server as the in-process control clsid: its class key
   named name with the server's path (apartment-threaded), ProgID, version and
   Control keys, and the ProgID's key naming the class. */
LONG register_control(const char* clsid, const char* name, const char* prog_id, const char* version);
/* Deletes the key name below parent with all its subkeys; a missing key
   counts as deleted. */
LONG delete_tree(HKEY parent, const char* name);
/* Deletes every one of the keys below HKEY_CLASSES_ROOT, going on past a
   failure; returns the first failure. */
LONG delete_trees(const char* const* keys, size_t count);
/* S_OK, or the registry's failure as an HRESULT. */
HRESULT as_hresult(LONG result);

#define COUNT_OF(table) (sizeof(table) / sizeof((table)[0]))

#endif
