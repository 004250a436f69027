#include "orrery/catalogue/classify.h"

#include "orrery/catalogue/registry_text.h"

#include <cctype>

namespace orrery {

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

bool IsDllServer(CRegistry& registry, RegKey clsidKey, const std::string& clsid)
{
    CKeyGuard key(registry);
    if (OpenKeyPath(registry, clsidKey, clsid + "\\InProcServer32", key.Receive()) != kRegSuccess)
        return false;
    std::string value;
    if (!QueryText(registry, key.Get(), nullptr, kServerTestSize, &value) || value.size() <= 3)
        return false;
    std::string ending = value.substr(value.size() - 3);
    for (char& c : ending)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ending == "DLL";
}

}  // namespace orrery
