#include "orrery/catalogue/registry_text.h"

#include <vector>

namespace orrery {

namespace {

// Registry key names hold at most 255 characters; the in-memory registry
// allows longer ones, and the growth stops well beyond both.
const unsigned long kFirstNameSize = 256;
const unsigned long kLargestNameSize = 65536;

bool IsStringType(unsigned long type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

bool QueryText(CRegistry& registry, RegKey key, const char* name,
               unsigned long size, std::string* text)
{
    text->clear();
    std::vector<unsigned char> buffer(size + 1, 0);
    unsigned long type = kRegNone;
    unsigned long length = size;
    if (registry.QueryValue(key, name, &type, buffer.data(), &length) != kRegSuccess ||
        !IsStringType(type))
        return false;
    if (length > size)
        length = size;
    const char* begin = reinterpret_cast<const char*>(buffer.data());
    size_t end = 0;
    while (end < length && begin[end] != '\0')
        ++end;
    text->assign(begin, end);
    return true;
}

std::string ReadKeyText(CRegistry& registry, RegKey parent,
                        const std::string& keyPath, const char* name,
                        unsigned long size)
{
    std::string text;
    RegKey key = kNoKey;
    if (registry.OpenKey(parent, keyPath.c_str(), &key) != kRegSuccess)
        return text;
    QueryText(registry, key, name, size, &text);
    registry.CloseKey(key);
    return text;
}

bool KeyExists(CRegistry& registry, RegKey parent, const std::string& keyPath)
{
    RegKey key = kNoKey;
    if (registry.OpenKey(parent, keyPath.c_str(), &key) != kRegSuccess)
        return false;
    registry.CloseKey(key);
    return true;
}

long EnumSubkeyName(CRegistry& registry, RegKey key, unsigned long index,
                    std::string* name)
{
    long result = kRegMoreData;
    for (unsigned long size = kFirstNameSize;
         result == kRegMoreData && size <= kLargestNameSize; size *= 4) {
        std::vector<char> buffer(size + 1, '\0');
        unsigned long length = size;
        result = registry.EnumKey(key, index, buffer.data(), &length);
        if (result == kRegSuccess)
            name->assign(buffer.data(), length < size ? length : size);
    }
    return result;
}

}  // namespace orrery
