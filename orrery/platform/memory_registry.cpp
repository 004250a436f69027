// The in-memory registry. Each key is a node holding its subkeys in creation
// order (with an index by upper-cased name for quick lookup) and its values in
// creation order. Open handles share ownership of their node, so a key deleted
// while open stays readable as "deleted" rather than dangling. Refusals are
// kept as upper-cased key paths; a refused path covers its whole subtree.
#include "orrery/platform/memory_registry.h"
#include "orrery/platform/upper_case.h"

#include <cctype>
#include <cstring>

namespace orrery {

struct CMemoryRegistry::Node {
    struct Value {
        std::string name;
        unsigned long type;
        std::string bytes;
    };

    std::string name;
    std::string path;  // below HKEY_CLASSES_ROOT, for the query log
    std::vector<std::shared_ptr<Node>> children;
    std::unordered_map<std::string, size_t> childIndex;  // upper-cased name -> position
    std::vector<Value> values;
    bool deleted = false;
};

namespace {

// The ANSI registry calls carry a subkey text in a MAX_PATH buffer and refuse
// longer ones with ERROR_MORE_DATA.
const size_t kMaxSubkeyText = 260;

bool TooLong(const char* subkey)
{
    return subkey && std::strlen(subkey) > kMaxSubkeyText;
}

// Copies a key or value name with its zero into a buffer of *size
// characters, as the enumerations do; *size becomes the name's length.
long CopyName(const std::string& text, char* name, unsigned long* size)
{
    if (text.size() + 1 > *size)
        return kRegMoreData;
    std::memcpy(name, text.c_str(), text.size() + 1);
    *size = static_cast<unsigned long>(text.size());
    return kRegSuccess;
}

// Copies a value's bytes into data when they fit in *size (null data: the
// size alone is asked); *size becomes their count.
long CopyData(const std::string& bytes, unsigned char* data, unsigned long* size)
{
    unsigned long needed = static_cast<unsigned long>(bytes.size());
    bool fits = *size >= needed;
    if (data && fits)
        std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return (data && !fits) ? kRegMoreData : kRegSuccess;
}

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

// The names of a path, empty ones included (two backslashes in a row hold one).
std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            names.push_back(path.substr(start));
            return names;
        }
        names.push_back(path.substr(start, end - start));
        start = end + 1;
    }
}

void MarkDeleted(CMemoryRegistry::Node& node)
{
    node.deleted = true;
    for (auto& child : node.children)
        MarkDeleted(*child);
}

std::string StringBytes(const std::string& text)
{
    return std::string(text.c_str(), text.size() + 1);
}

std::string ChildPath(const std::string& parentPath, const std::string& name)
{
    return parentPath.empty() ? name : parentPath + "\\" + name;
}

}  // namespace

CMemoryRegistry::CMemoryRegistry()
    : m_root(std::make_shared<Node>()), m_nextHandle(0x1000)
{
}

CMemoryRegistry::~CMemoryRegistry() = default;

std::shared_ptr<CMemoryRegistry::Node> CMemoryRegistry::Walk(
    const std::shared_ptr<Node>& from, const std::string& path, bool create) const
{
    std::shared_ptr<Node> node = from;
    if (path.empty())
        return node;
    std::vector<std::string> names = SplitPath(path);
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        // Like the real registry: one trailing backslash is allowed, an empty
        // name anywhere else names no key.
        if (name.empty()) {
            if (create || (i > 0 && i + 1 == names.size()))
                continue;
            return nullptr;
        }
        auto found = node->childIndex.find(UpperCase(name));
        if (found != node->childIndex.end()) {
            node = node->children[found->second];
            continue;
        }
        if (!create)
            return nullptr;
        auto child = std::make_shared<Node>();
        child->name = name;
        child->path = ChildPath(node->path, name);
        node->childIndex[UpperCase(name)] = node->children.size();
        node->children.push_back(child);
        node = child;
    }
    return node;
}

void CMemoryRegistry::AddKey(const std::string& path)
{
    Walk(m_root, path, true);
}

void CMemoryRegistry::SetNodeValue(Node& node, const std::string& name,
                                   unsigned long type, const std::string& bytes)
{
    for (Node::Value& value : node.values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.bytes = bytes;
            return;
        }
    }
    node.values.push_back(Node::Value{name, type, bytes});
}

void CMemoryRegistry::SetRaw(const std::string& path, const std::string& name,
                             unsigned long type, const std::string& bytes)
{
    SetNodeValue(*Walk(m_root, path, true), name, type, bytes);
}

void CMemoryRegistry::SetString(const std::string& path, const std::string& name,
                                const std::string& text, unsigned long type)
{
    SetRaw(path, name, type, StringBytes(text));
}

void CMemoryRegistry::SetDword(const std::string& path, const std::string& name,
                               unsigned long value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xff);
    SetRaw(path, name, kRegDword, bytes);
}

void CMemoryRegistry::Unlink(Node& parent, const std::string& name)
{
    auto found = parent.childIndex.find(UpperCase(name));
    MarkDeleted(*parent.children[found->second]);
    parent.children.erase(parent.children.begin() + found->second);
    parent.childIndex.clear();
    for (size_t i = 0; i < parent.children.size(); ++i)
        parent.childIndex[UpperCase(parent.children[i]->name)] = i;
}

bool CMemoryRegistry::RemoveKey(const std::string& path)
{
    std::vector<std::string> names = SplitPath(path);
    std::string leaf = names.back();
    names.pop_back();
    std::string parentPath;
    for (const std::string& name : names)
        parentPath += name + "\\";
    std::shared_ptr<Node> parent = Walk(m_root, parentPath, false);
    if (!parent || !parent->childIndex.count(UpperCase(leaf)))
        return false;
    Unlink(*parent, leaf);
    return true;
}

void CMemoryRegistry::RefuseChanges(const std::string& path)
{
    m_refused.push_back(UpperCase(path));
}

bool CMemoryRegistry::IsRefused(const std::string& path) const
{
    std::string upper = UpperCase(path);
    for (const std::string& refused : m_refused) {
        if (refused.empty() || upper == refused ||
            (upper.size() > refused.size() && upper.compare(0, refused.size(), refused) == 0 &&
             upper[refused.size()] == '\\'))
            return true;
    }
    return false;
}

bool CMemoryRegistry::HasKey(const std::string& path) const
{
    return Walk(m_root, path, false) != nullptr;
}

bool CMemoryRegistry::GetValue(const std::string& path, const std::string& name,
                               unsigned long* type, std::string* bytes) const
{
    std::shared_ptr<Node> node = Walk(m_root, path, false);
    if (!node)
        return false;
    for (const Node::Value& value : node->values) {
        if (SameName(value.name, name)) {
            *type = value.type;
            *bytes = value.bytes;
            return true;
        }
    }
    return false;
}

void CMemoryRegistry::ResetCounts()
{
    m_counts = CRegistryCounts();
    m_queryLog.clear();
}

void CMemoryRegistry::SetEnumKeyHook(std::function<void(unsigned long)> hook)
{
    m_enumKeyHook = std::move(hook);
}

std::shared_ptr<CMemoryRegistry::Node> CMemoryRegistry::Resolve(
    RegKey key, long* result) const
{
    std::shared_ptr<Node> node;
    if (key == kClassesRoot) {
        node = m_root;
    } else {
        auto found = m_handles.find(key);
        if (found != m_handles.end())
            node = found->second.node;
    }
    if (!node)
        *result = kRegInvalidHandle;
    else if (node->deleted)
        *result = kRegKeyDeleted;
    else
        *result = kRegSuccess;
    return *result == kRegSuccess ? node : nullptr;
}

std::shared_ptr<CMemoryRegistry::Node> CMemoryRegistry::ResolveParentOf(RegKey parent, const char* subkey,
                                                                        long* result) const
{
    std::shared_ptr<Node> node = Resolve(parent, result);
    if (!node)
        return nullptr;
    if (!subkey || !*subkey)
        *result = kRegInvalidParameter;
    else if (TooLong(subkey))
        *result = kRegMoreData;
    return *result == kRegSuccess ? node : nullptr;
}

template <typename Entries>
std::shared_ptr<CMemoryRegistry::Node> CMemoryRegistry::ResolveEntry(RegKey key, Entries Node::*entries,
                                                                     unsigned long index, long* result) const
{
    std::shared_ptr<Node> node = Resolve(key, result);
    if (node && index >= ((*node).*entries).size())
        *result = kRegNoMoreItems;
    return *result == kRegSuccess ? node : nullptr;
}

RegKey CMemoryRegistry::NewHandle(const std::shared_ptr<Node>& node, bool canChange)
{
    RegKey handle = m_nextHandle;
    m_nextHandle += 4;
    m_handles[handle] = Handle{node, canChange};
    return handle;
}

long CMemoryRegistry::Open(RegKey parent, const char* subkey, bool toChange, RegKey* opened)
{
    ++m_counts.opens;
    long result;
    std::shared_ptr<Node> from = Resolve(parent, &result);
    if (!from)
        return result;
    if (TooLong(subkey))
        return kRegMoreData;
    std::shared_ptr<Node> node = Walk(from, subkey ? subkey : "", false);
    if (!node)
        return kRegFileNotFound;
    if (toChange && IsRefused(node->path))
        return kRegAccessDenied;
    *opened = NewHandle(node, toChange);
    return kRegSuccess;
}

long CMemoryRegistry::OpenKey(RegKey parent, const char* subkey, RegKey* opened)
{
    return Open(parent, subkey, false, opened);
}

long CMemoryRegistry::OpenKeyToChange(RegKey parent, const char* subkey, RegKey* opened)
{
    return Open(parent, subkey, true, opened);
}

long CMemoryRegistry::CreateKey(RegKey parent, const char* subkey, RegKey* created)
{
    ++m_counts.creates;
    long result;
    std::shared_ptr<Node> node = ResolveParentOf(parent, subkey, &result);
    if (!node)
        return result;
    // Refused when the key, or the deepest key that exists on its way, lies
    // in a refused subtree: the path it would get tells.
    std::string wouldBe = node->path;
    for (const std::string& name : SplitPath(subkey)) {
        if (!name.empty())
            wouldBe = ChildPath(wouldBe, name);
    }
    if (IsRefused(wouldBe))
        return kRegAccessDenied;
    *created = NewHandle(Walk(node, subkey, true), true);
    return kRegSuccess;
}

long CMemoryRegistry::SetValue(RegKey key, const char* name, unsigned long type,
                               const unsigned char* data, unsigned long size)
{
    ++m_counts.sets;
    long result;
    std::shared_ptr<Node> node = Resolve(key, &result);
    if (!node)
        return result;
    auto handle = m_handles.find(key);
    if (handle == m_handles.end() || !handle->second.canChange || IsRefused(node->path))
        return kRegAccessDenied;
    std::string bytes(reinterpret_cast<const char*>(data), data ? size : 0);
    SetNodeValue(*node, name ? name : "", type, bytes);
    return kRegSuccess;
}

long CMemoryRegistry::DeleteKey(RegKey parent, const char* subkey)
{
    ++m_counts.deletes;
    long result;
    std::shared_ptr<Node> from = ResolveParentOf(parent, subkey, &result);
    if (!from)
        return result;
    std::shared_ptr<Node> node = Walk(from, subkey, false);
    if (!node)
        return kRegFileNotFound;
    if (IsRefused(node->path) || !node->children.empty())
        return kRegAccessDenied;
    std::vector<std::string> names = SplitPath(subkey);
    while (names.size() > 1 && names.back().empty())
        names.pop_back();
    names.pop_back();
    std::shared_ptr<Node> parentNode = from;
    for (const std::string& name : names) {
        if (!name.empty())
            parentNode = Walk(parentNode, name, false);
    }
    Unlink(*parentNode, node->name);
    return kRegSuccess;
}

long CMemoryRegistry::QueryValue(RegKey key, const char* name,
                                 unsigned long* type, unsigned char* data,
                                 unsigned long* size)
{
    ++m_counts.queries;
    long result;
    std::shared_ptr<Node> node = Resolve(key, &result);
    if (!node)
        return result;
    std::string wanted = name ? name : "";
    m_queryLog.push_back(node->path + "|" + wanted);
    for (const Node::Value& value : node->values) {
        if (!SameName(value.name, wanted))
            continue;
        if (type)
            *type = value.type;
        if (!size)
            return data ? kRegInvalidParameter : kRegSuccess;
        return CopyData(value.bytes, data, size);
    }
    return kRegFileNotFound;
}

long CMemoryRegistry::EnumKey(RegKey key, unsigned long index, char* name,
                              unsigned long* size)
{
    ++m_counts.keyEnums;
    if (m_enumKeyHook)
        m_enumKeyHook(index);
    long result;
    std::shared_ptr<Node> node = ResolveEntry(key, &Node::children, index, &result);
    if (!node)
        return result;
    return CopyName(node->children[index]->name, name, size);
}

long CMemoryRegistry::EnumValue(RegKey key, unsigned long index, char* name,
                                unsigned long* nameSize, unsigned long* type,
                                unsigned char* data, unsigned long* dataSize)
{
    ++m_counts.valueEnums;
    long result;
    std::shared_ptr<Node> node = ResolveEntry(key, &Node::values, index, &result);
    if (!node)
        return result;
    const Node::Value& value = node->values[index];
    if (CopyName(value.name, name, nameSize) != kRegSuccess)
        return kRegMoreData;
    if (type)
        *type = value.type;
    return dataSize ? CopyData(value.bytes, data, dataSize) : kRegSuccess;
}

long CMemoryRegistry::CloseKey(RegKey key)
{
    ++m_counts.closes;
    if (key == kClassesRoot)
        return kRegSuccess;
    return m_handles.erase(key) ? kRegSuccess : kRegInvalidHandle;
}

}  // namespace orrery
