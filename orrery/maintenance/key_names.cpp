#include "orrery/maintenance/key_names.h"

#include <cctype>
#include <cstring>

namespace orrery {

namespace {

// Keys directly below HKEY_CLASSES_ROOT that hold other classes' data or
// the shell's; a ProgID value naming one of them is never deleted.
const char* const kSharedKeys[] = {
    "CLSID", "Interface", "TypeLib", "AppID", "*", "Component Categories", "Directory", "Drive",
    "Folder", "AllFilesystemObjects", "MIME", "Protocols", "SystemFileAssociations", "Installer",
    "Licenses", "Record", "Unknown", "FileType", "Wow6432Node", "ocxfile", "dllfile", "exefile",
};

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool IsBlank(const std::string& text)
{
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool HasControlCharacter(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    }
    return false;
}

}  // namespace

bool IsBracedGuid(const std::string& name)
{
    static const char kPattern[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
    if (name.size() != sizeof kPattern - 1)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        bool matches = kPattern[i] == 'x' ? IsHexDigit(name[i]) : name[i] == kPattern[i];
        if (!matches)
            return false;
    }
    return true;
}

bool SameKeyName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool IsOwnProgIdName(const std::string& progId, std::string* reason)
{
    if (IsBlank(progId)) {
        *reason = "it is blank";
        return false;
    }
    if (progId.find('\\') != std::string::npos || HasControlCharacter(progId)) {
        *reason = "it is not a plain key name";
        return false;
    }
    if (progId[0] == '.') {
        *reason = "it names a file extension";
        return false;
    }
    for (const char* shared : kSharedKeys) {
        if (SameKeyName(progId, shared)) {
            *reason = "it names a key shared by the whole machine";
            return false;
        }
    }
    return true;
}

std::string FileNamePart(const std::string& text, size_t maxLength)
{
    std::string part = text.substr(0, maxLength);
    for (char& c : part) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c))
            c = '_';
    }
    return part;
}

}  // namespace orrery
