#include "orrery/catalogue/registry_text.h"

#include "orrery/platform/upper_case.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace orrery {

namespace {

// Passes over the names before the list is taken as it stands.
const int kMostNamePasses = 4;

// Registry key names hold at most 255 characters; the in-memory registry
// allows longer ones, and the growth stops well beyond both.
const unsigned long kFirstNameSize = 256;
const unsigned long kLargestNameSize = 65536;

bool IsStringType(unsigned long type)
{
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::string> ReadNamesOnce(CRegistry& registry, RegKey key)
{
    std::vector<std::string> names;
    std::string name;
    for (unsigned long index = 0;; ++index) {
        long result = EnumSubkeyName(registry, key, index, &name);
        if (result == kRegMoreData)
            continue;
        if (result != kRegSuccess)
            return names;
        names.push_back(name);
    }
}

// Adds the names of again that names lacks, each right after the name that
// precedes it in again (or first), and says whether any was added.
bool MergeNames(std::vector<std::string>& names, const std::vector<std::string>& again)
{
    // The usual case, nothing changed between the readings, needs no lookups.
    if (again == names)
        return false;
    std::unordered_map<std::string, size_t> position;
    for (size_t i = 0; i < names.size(); ++i)
        position.emplace(UpperCase(names[i]), i);
    // after[0] goes before the first name, after[i + 1] right after names[i].
    std::vector<std::vector<std::string>> after(names.size() + 1);
    std::unordered_set<std::string> added;
    size_t slot = 0;
    for (const std::string& name : again) {
        std::string upper = UpperCase(name);
        auto found = position.find(upper);
        if (found != position.end())
            slot = found->second + 1;
        else if (added.insert(upper).second)
            after[slot].push_back(name);
    }
    if (added.empty())
        return false;
    std::vector<std::string> merged(after[0]);
    for (size_t i = 0; i < names.size(); ++i) {
        merged.push_back(names[i]);
        merged.insert(merged.end(), after[i + 1].begin(), after[i + 1].end());
    }
    names.swap(merged);
    return true;
}

}  // namespace

long OpenKeyPath(CRegistry& registry, RegKey parent, const std::string& keyPath,
                 RegKey* opened)
{
    if (keyPath.size() <= kMaxSubkeyText)
        return registry.OpenKey(parent, keyPath.c_str(), opened);
    // current holds the key reached so far; kNoKey stands for parent itself.
    CKeyGuard current(registry);
    long result = kRegSuccess;
    size_t start = 0;
    while (result == kRegSuccess && start <= keyPath.size()) {
        size_t end = keyPath.find('\\', start);
        if (end == std::string::npos)
            end = keyPath.size();
        std::string name = keyPath.substr(start, end - start);
        start = end + 1;
        if (name.empty() && end == keyPath.size())
            break;
        CKeyGuard next(registry);
        result = next.Open(current.IsOpen() ? current.Get() : parent, name.c_str());
        if (result == kRegSuccess)
            current = std::move(next);
    }
    if (result == kRegSuccess)
        *opened = current.IsOpen() ? current.Release() : parent;
    return result;
}

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
    CKeyGuard key(registry);
    if (OpenKeyPath(registry, parent, keyPath, key.Receive()) == kRegSuccess)
        QueryText(registry, key.Get(), name, size, &text);
    return text;
}

bool KeyExists(CRegistry& registry, RegKey parent, const std::string& keyPath)
{
    CKeyGuard key(registry);
    return OpenKeyPath(registry, parent, keyPath, key.Receive()) == kRegSuccess;
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

std::vector<std::string> ListSubkeyNames(CRegistry& registry, RegKey key)
{
    std::vector<std::string> names = ReadNamesOnce(registry, key);
    for (int pass = 1; pass < kMostNamePasses; ++pass) {
        if (!MergeNames(names, ReadNamesOnce(registry, key)))
            break;
    }
    return names;
}

}  // namespace orrery
