#include "orrery/maintenance/reg_file.h"

#include "orrery/catalogue/registry_text.h"

#include <cstdio>
#include <vector>

namespace orrery {

const char kRegFileHeader[] = "REGEDIT4\r\n";

namespace {

const char kLineEnd[] = "\r\n";
const char kRootName[] = "HKEY_CLASSES_ROOT";
// regedit keeps its lines within 80 columns, continuing hexadecimal data
// on lines that start with two blanks.
const size_t kLineWidth = 76;
// Value names hold at most 16383 characters.
const unsigned long kNameBufferSize = 16384;
const unsigned long kFirstDataSize = 4096;
const int kReadAttempts = 8;

bool HasControlCharacter(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    }
    return false;
}

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// A plain string: one terminating zero at the end, no zero or control
// character before it.
bool IsPlainString(unsigned long type, const std::string& bytes)
{
    if (type != kRegSz || bytes.empty() || bytes.back() != '\0')
        return false;
    std::string text = bytes.substr(0, bytes.size() - 1);
    return text.find('\0') == std::string::npos && !HasControlCharacter(text);
}

std::string HexData(const std::string& prefix, unsigned long type, const std::string& bytes)
{
    char tag[16];
    if (type == kRegBinary)
        std::snprintf(tag, sizeof tag, "hex:");
    else
        std::snprintf(tag, sizeof tag, "hex(%lx):", type);
    std::string text = prefix + tag;
    size_t lineStart = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(bytes[i]));
        text += byte;
        if (i + 1 == bytes.size())
            break;
        text += ',';
        if (text.size() - lineStart > kLineWidth) {
            text += "\\";
            text += kLineEnd;
            lineStart = text.size();
            text += "  ";
        }
    }
    return text + kLineEnd;
}

// Reads value index of an open key; kRegMoreData only for a value that kept
// growing while it was read.
long ReadValue(CRegistry& registry, RegKey key, unsigned long index, std::string* name,
               unsigned long* type, std::string* bytes)
{
    std::vector<char> nameBuffer(kNameBufferSize + 1, '\0');
    std::vector<unsigned char> data(kFirstDataSize);
    long result = kRegMoreData;
    for (int attempt = 0; attempt < kReadAttempts && result == kRegMoreData; ++attempt) {
        unsigned long nameSize = kNameBufferSize;
        unsigned long dataSize = static_cast<unsigned long>(data.size());
        result = registry.EnumValue(key, index, nameBuffer.data(), &nameSize, type, data.data(), &dataSize);
        if (result == kRegMoreData) {
            data.resize(dataSize > data.size() ? dataSize : data.size() * 2);
        } else if (result == kRegSuccess) {
            name->assign(nameBuffer.data(), nameSize);
            bytes->assign(reinterpret_cast<const char*>(data.data()), dataSize);
        }
    }
    return result;
}

bool AppendValues(CRegistry& registry, RegKey key, const std::string& path, std::string* out,
                  std::string* reason)
{
    for (unsigned long index = 0;; ++index) {
        std::string name;
        std::string bytes;
        unsigned long type = kRegNone;
        long result = ReadValue(registry, key, index, &name, &type, &bytes);
        if (result == kRegNoMoreItems)
            return true;
        if (result != kRegSuccess) {
            *reason = "the values of " + path + " could not be read (error " + std::to_string(result) + ")";
            return false;
        }
        std::string text = RegValueText(name, type, bytes);
        if (text.empty()) {
            *reason = "a value name of " + path + " cannot be written to a registration file";
            return false;
        }
        *out += text;
    }
}

bool AppendOpenKey(CRegistry& registry, RegKey key, const std::string& path, std::string* out,
                   std::string* reason)
{
    if (HasControlCharacter(path)) {
        *reason = "the key name " + path + " cannot be written to a registration file";
        return false;
    }
    *out += kLineEnd;
    *out += "[" + std::string(kRootName) + "\\" + path + "]" + kLineEnd;
    if (!AppendValues(registry, key, path, out, reason))
        return false;
    for (unsigned long index = 0;; ++index) {
        std::string child;
        long result = EnumSubkeyName(registry, key, index, &child);
        if (result == kRegNoMoreItems)
            return true;
        if (result != kRegSuccess) {
            *reason = "the subkeys of " + path + " could not be read (error " + std::to_string(result) + ")";
            return false;
        }
        if (!AppendKeyTree(registry, path + "\\" + child, out, reason))
            return false;
    }
}

}  // namespace

std::string RegValueText(const std::string& name, unsigned long type, const std::string& bytes)
{
    if (HasControlCharacter(name))
        return std::string();
    std::string prefix = (name.empty() ? std::string("@") : Quoted(name)) + "=";
    if (IsPlainString(type, bytes))
        return prefix + Quoted(bytes.substr(0, bytes.size() - 1)) + kLineEnd;
    if (type == kRegDword && bytes.size() == 4) {
        unsigned long value = 0;
        for (int i = 3; i >= 0; --i)
            value = (value << 8) | static_cast<unsigned char>(bytes[i]);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08lx", value);
        return prefix + text + kLineEnd;
    }
    return HexData(prefix, type, bytes);
}

bool AppendKeyTree(CRegistry& registry, const std::string& path, std::string* out,
                   std::string* reason)
{
    CKeyGuard key(registry);
    long result = key.Open(kClassesRoot, path.c_str());
    if (result == kRegFileNotFound)
        return true;
    if (result != kRegSuccess) {
        *reason = path + " could not be read (error " + std::to_string(result) + ")";
        return false;
    }
    return AppendOpenKey(registry, key.Get(), path, out, reason);
}

}  // namespace orrery
