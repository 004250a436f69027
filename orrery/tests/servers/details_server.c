/* orrery_details_server.dll: a control that registers and unregisters its
   own class, ProgID and a key of settings, for the tests of the details
   window and of the "-V" start. Its class is its own, so that these tests
   never meet the classes other tests register at the same time. */
#include "orrery/tests/servers/details_server_ids.h"
#include "orrery/tests/servers/server_registry.h"

#include <windows.h>

#define CLASS_KEY "CLSID\\" DETAILS_CLSID
#define VALUES_KEY CLASS_KEY "\\" DETAILS_VALUES_KEY

static const BYTE colour[] = {0x0a, 0x00, 0xff, 0x7f};
static const char paths[] = "C:\\Tarnwick\0D:\\Shared Files\0";
static const char cache[] = "%TEMP%\\orrery";
static const DWORD timeout = 255;

static const struct server_text texts[] = {
    {VALUES_KEY, "Caption", "Tarnwick Gauge"},
    {VALUES_KEY, "", "gauge settings"},
};

static const struct server_value settings[] = {
    {VALUES_KEY, "Timeout", REG_DWORD, &timeout, sizeof timeout},
    {VALUES_KEY, "Colour", REG_BINARY, colour, sizeof colour},
    {VALUES_KEY, "Search Paths", REG_MULTI_SZ, paths, sizeof paths},
    {VALUES_KEY, "Cache", REG_EXPAND_SZ, cache, sizeof cache},
};

static const char* const keys[] = {CLASS_KEY, DETAILS_PROGID};

const struct server_registration server_registration = {
    DETAILS_CLSID, DETAILS_NAME, DETAILS_PROGID, "2.1",
    texts,         COUNT_OF(texts), settings, COUNT_OF(settings),
    keys,          COUNT_OF(keys),
};
