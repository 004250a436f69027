#include "orrery/catalogue/classify.h"

#include "orrery/catalogue/registry_text.h"

#include <cctype>

namespace orrery {

namespace {

// Far beyond any path the system takes; a longer value is no server path.
const unsigned long kLongestServerValue = 65536;

}  // namespace

bool HasProgID(CRegistry& registry, RegKey clsidKey, const std::string& clsid)
{
    return KeyExists(registry, clsidKey, clsid + "\\ProgID");
}

bool HasControl(CRegistry& registry, RegKey clsidKey, const std::string& clsid)
{
    return KeyExists(registry, clsidKey, clsid + "\\Control");
}

bool HasLocalServer32(CRegistry& registry, RegKey clsidKey, const std::string& clsid)
{
    return KeyExists(registry, clsidKey, clsid + "\\LocalServer32");
}

// A value too long for the usual buffer is read at its own size: a server
// path longer than MAX_PATH still names a DLL server (whose file will not be
// found), and the class is listed rather than passed over.
bool IsDllServer(CRegistry& registry, RegKey clsidKey, const std::string& clsid)
{
    CKeyGuard key(registry);
    if (OpenKeyPath(registry, clsidKey, clsid + "\\InProcServer32", key.Receive()) != kRegSuccess)
        return false;
    std::string value;
    if (!QueryText(registry, key.Get(), nullptr, kServerTestSize, &value)) {
        unsigned long type = kRegNone;
        unsigned long size = 0;
        if (registry.QueryValue(key.Get(), nullptr, &type, nullptr, &size) != kRegSuccess ||
            size <= kServerTestSize || size > kLongestServerValue ||
            !QueryText(registry, key.Get(), nullptr, size, &value))
            return false;
    }
    if (value.size() <= 3)
        return false;
    std::string ending = value.substr(value.size() - 3);
    for (char& c : ending)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ending == "DLL";
}

}  // namespace orrery
