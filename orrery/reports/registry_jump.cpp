#include "orrery/reports/registry_jump.h"

namespace orrery {

std::string RegistryJumpPath(JumpTarget target, CComObject& record)
{
    std::string path = "HKEY_CLASSES_ROOT\\";
    switch (target) {
    case JumpToClsid:
        path += "CLSID\\" + record.GetClsid();
        break;
    case JumpToProgId:
        path += record.GetAttribute(AttrProgID);
        break;
    case JumpToTypeLib:
        path += "TypeLib\\" + record.GetAttribute(AttrTypeLib);
        break;
    }
    return path + "\\";
}

std::vector<CKeystroke> KeystrokesForPath(const std::string& path)
{
    std::vector<CKeystroke> keystrokes;
    keystrokes.reserve(path.size());
    for (char c : path) {
        if (c == '\\')
            keystrokes.push_back({true, 0});
        else
            keystrokes.push_back({false, c});
    }
    return keystrokes;
}

}  // namespace orrery
