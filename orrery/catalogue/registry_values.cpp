// Listing reads each value whole: the buffers start at 1024 bytes and grow
// when the registry answers that a name or the data does not fit, so a long
// value is listed like any other and does not end the listing. Growth is
// bounded: a value that still does not fit after a few rounds (or would need
// more than any registry value holds) is passed over and the next one read.
#include "orrery/catalogue/registry_values.h"

#include "orrery/platform/key_guard.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace orrery {

const char kDefaultValueName[] = "(Default)";
const char kUnsupportedValueText[] = "Data type not supported";

namespace {

const unsigned long kFirstNameSize = 1024;        // characters, zero included
const unsigned long kFirstDataSize = 1024;        // bytes
const unsigned long kLargestNameSize = 65536;     // names hold at most 16383
const unsigned long kLargestDataSize = 64u << 20;
const int kReadRounds = 8;

std::string UpTo(const std::string& data, char stop)
{
    return data.substr(0, std::min(data.find(stop), data.size()));
}

std::string BytesText(const std::string& data)
{
    std::string text;
    text.reserve(data.size() * 3);
    char byte[8];
    for (unsigned char c : data) {
        std::snprintf(byte, sizeof byte, "%X ", static_cast<unsigned>(c));
        text += byte;
    }
    return text;
}

// Little-endian, as the registry stores it; missing bytes of a short DWORD
// count as zero.
std::string DwordText(const std::string& data)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    char text[32];
    std::snprintf(text, sizeof text, "%X (%ld)", static_cast<unsigned>(value),
                  static_cast<long>(static_cast<std::int32_t>(value)));
    return text;
}

bool LessIgnoringCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::toupper(static_cast<unsigned char>(x)) <
                   std::toupper(static_cast<unsigned char>(y));
        });
}

// The value at index, name and data whole. kRegSuccess; kRegMoreData when it
// could not be made to fit; anything else ends the enumeration.
long EnumValueWhole(CRegistry& registry, RegKey key, unsigned long index,
                    std::string* name, unsigned long* type, std::string* data)
{
    unsigned long nameSize = kFirstNameSize;
    unsigned long dataSize = kFirstDataSize;
    long result = kRegMoreData;
    for (int round = 0; result == kRegMoreData && round < kReadRounds; ++round) {
        std::vector<char> nameBuffer(nameSize + 1, '\0');
        std::vector<unsigned char> dataBuffer(dataSize + 1, 0);
        unsigned long nameLength = nameSize;
        unsigned long dataLength = dataSize;
        *type = kRegNone;
        result = registry.EnumValue(key, index, nameBuffer.data(), &nameLength, type,
                                    dataBuffer.data(), &dataLength);
        if (result == kRegSuccess) {
            name->assign(nameBuffer.data(), std::min(nameLength, nameSize));
            data->assign(reinterpret_cast<const char*>(dataBuffer.data()),
                         std::min(dataLength, dataSize));
            return result;
        }
        // Which of the two did not fit is not said; the data's size is, when
        // it was the data.
        nameSize = std::min(nameSize * 4, kLargestNameSize);
        dataSize = std::max(dataSize * 2, dataLength);
        if (dataSize > kLargestDataSize)
            return kRegMoreData;
    }
    return result;
}

// The strings of a multi-string, up to the empty one that ends it (or the
// end of the data when that is missing).
std::vector<std::string> SplitMultiString(const std::string& data)
{
    std::vector<std::string> strings;
    size_t at = 0;
    while (at < data.size()) {
        size_t end = std::min(data.find('\0', at), data.size());
        if (end == at)
            break;
        strings.push_back(data.substr(at, end - at));
        at = end + 1;
    }
    return strings;
}

// The current data of a multi-string value of an open key; empty when it is
// missing or of another type.
std::string ReadMultiString(CRegistry& registry, RegKey key, const char* name)
{
    unsigned long type = kRegNone;
    unsigned long size = 0;
    if (registry.QueryValue(key, name, &type, nullptr, &size) != kRegSuccess ||
        type != kRegMultiSz || size > kLargestDataSize)
        return std::string();
    std::vector<unsigned char> buffer(size + 1, 0);
    unsigned long length = size;
    if (registry.QueryValue(key, name, &type, buffer.data(), &length) != kRegSuccess ||
        type != kRegMultiSz)
        return std::string();
    return std::string(reinterpret_cast<const char*>(buffer.data()), std::min(length, size));
}

}  // namespace

bool IsStringValueType(unsigned long type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::string ValueDataText(unsigned long type, const std::string& data)
{
    if (IsStringValueType(type))
        return UpTo(data, '\0');
    if (type == kRegBinary)
        return BytesText(data);
    if (type == kRegDword)
        return DwordText(data);
    return kUnsupportedValueText;
}

bool ListKeyValues(CRegistry& registry, const std::string& keyPath,
                   std::vector<CRegistryValue>* values)
{
    values->clear();
    CKeyGuard key(registry);
    if (key.Open(kClassesRoot, keyPath.c_str()) != kRegSuccess)
        return false;
    std::string name;
    std::string data;
    unsigned long type = kRegNone;
    for (unsigned long index = 0;; ++index) {
        long result = EnumValueWhole(registry, key.Get(), index, &name, &type, &data);
        if (result == kRegMoreData)
            continue;
        if (result != kRegSuccess)
            break;
        values->push_back({name.empty() ? kDefaultValueName : name, type, ValueDataText(type, data), name});
    }
    std::stable_sort(values->begin(), values->end(),
                     [](const CRegistryValue& a, const CRegistryValue& b) {
                         if (LessIgnoringCase(a.name, b.name))
                             return true;
                         if (LessIgnoringCase(b.name, a.name))
                             return false;
                         return a.storedName.empty() && !b.storedName.empty();
                     });
    return true;
}

std::string ReplaceFirstString(const std::string& multiString, const std::string& first)
{
    std::vector<std::string> strings = SplitMultiString(multiString);
    if (strings.empty())
        strings.push_back(first);
    else
        strings[0] = first;
    if (first.empty())
        strings.erase(strings.begin());
    std::string data;
    for (const std::string& text : strings)
        data += text + '\0';
    data += '\0';
    if (strings.empty())
        data += '\0';
    return data;
}

long WriteStringValue(CRegistry& registry, const std::string& keyPath,
                      const std::string& storedName, unsigned long type,
                      const std::string& text)
{
    CKeyGuard key(registry);
    long result = key.OpenToChange(kClassesRoot, keyPath.c_str());
    if (result != kRegSuccess)
        return result;
    const char* name = storedName.c_str();
    std::string data = type == kRegMultiSz
                           ? ReplaceFirstString(ReadMultiString(registry, key.Get(), name), text)
                           : text + '\0';
    return registry.SetValue(key.Get(), name, type,
                             reinterpret_cast<const unsigned char*>(data.data()),
                             static_cast<unsigned long>(data.size()));
}

}  // namespace orrery
