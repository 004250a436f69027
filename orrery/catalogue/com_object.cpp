#include "orrery/catalogue/com_object.h"

#include "orrery/catalogue/registry_text.h"
#include "orrery/catalogue/server_path.h"
#include "orrery/dependencies/dependency_tree.h"

#include <cctype>

namespace orrery {

namespace {

const char kNotDefined[] = "Not Defined";
const char kUnknown[] = "Unknown";

// Inserts the subkeys of an open key below parent, each followed by its own
// subkeys before the next one is taken.
void AddOpenKeySubtree(CRegistry& registry, CTreeControl& tree, TreeItem parent,
                       RegKey key)
{
    for (const std::string& name : ListSubkeyNames(registry, key)) {
        TreeItem child = tree.InsertItem(parent, name, ItemKind::RegistryKey, nullptr);
        CKeyGuard childKey(registry);
        if (childKey.Open(key, name.c_str()) == kRegSuccess)
            AddOpenKeySubtree(registry, tree, child, childKey.Get());
    }
}

// A library version key's name, "major.minor" in hexadecimal, as a number
// that orders versions; false for a name that is not a version.
bool ParseLibraryVersion(const std::string& name, unsigned long long* order)
{
    size_t dot = name.find('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 == name.size() ||
        name.size() - dot - 1 > 4 || dot > 4)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (i != dot && !std::isxdigit(static_cast<unsigned char>(name[i])))
            return false;
    }
    *order = (std::stoull(name.substr(0, dot), nullptr, 16) << 16) |
             std::stoull(name.substr(dot + 1), nullptr, 16);
    return true;
}

// The name of the highest registered version of a type library that has a
// name; empty text when none has.
std::string HighestVersionName(CRegistry& registry, const std::string& libraryPath)
{
    CKeyGuard library(registry);
    if (OpenKeyPath(registry, kClassesRoot, libraryPath, library.Receive()) != kRegSuccess)
        return std::string();
    std::string best;
    unsigned long long bestOrder = 0;
    std::string version;
    for (unsigned long index = 0;; ++index) {
        long result = EnumSubkeyName(registry, library.Get(), index, &version);
        if (result == kRegMoreData)
            continue;
        if (result != kRegSuccess)
            break;
        unsigned long long order = 0;
        if (!ParseLibraryVersion(version, &order) || (!best.empty() && order <= bestOrder))
            continue;
        std::string name = ReadKeyText(registry, library.Get(), version, nullptr, kClassValueSize);
        if (!name.empty()) {
            best = name;
            bestOrder = order;
        }
    }
    return best;
}

}  // namespace

CComObject::CComObject(CPlatform& platform, const std::string& clsid,
                       const char* serverSubkey)
    : CComFile(platform), m_clsid(clsid)
{
    SetPath(ExpandEnvironment(platform.files, StripQuotes(ReadClassValue(serverSubkey))));
    SetFound(CheckFileExists());
}

CComObject::~CComObject() = default;

std::string CComObject::ReadClassValue(const char* subkey) const
{
    if (m_clsid.empty() || !subkey || !*subkey)
        return std::string();
    return ReadKeyText(m_platform.registry, kClassesRoot,
                       "CLSID\\" + m_clsid + "\\" + subkey, nullptr, kClassValueSize);
}

std::string CComObject::ReadClassKeyValue(const char* name) const
{
    if (m_clsid.empty())
        return std::string();
    return ReadKeyText(m_platform.registry, kClassesRoot, "CLSID\\" + m_clsid,
                       name, kClassValueSize);
}

std::string CComObject::GetClsidWithoutBraces() const
{
    std::string bare = m_clsid;
    if (!bare.empty() && bare[0] == '{')
        bare.erase(0, 1);
    if (!bare.empty() && bare[bare.size() - 1] == '}')
        bare.erase(bare.size() - 1);
    return bare;
}

std::string CComObject::GetProgID() const
{
    std::string progId = ReadClassValue("ProgID");
    return progId.empty() ? kUnknown : progId;
}

// The class's own Version value names the library version. When the library
// is not registered under that version (or the class has none), its highest
// registered version with a name stands in, rather than calling a registered
// library undefined.
std::string CComObject::GetTypeLibName() const
{
    std::string typeLib = ReadClassValue("TypeLib");
    if (typeLib.empty())
        return kNotDefined;
    std::string libraryPath = "TypeLib\\" + typeLib;
    std::string version = ReadClassValue("Version");
    std::string name;
    if (!version.empty())
        name = ReadKeyText(m_platform.registry, kClassesRoot, libraryPath + "\\" + version,
                           nullptr, kClassValueSize);
    if (name.empty())
        name = HighestVersionName(m_platform.registry, libraryPath);
    return name.empty() ? kNotDefined : name;
}

std::string CComObject::GetAttribute(int id)
{
    switch (id) {
    case AttrProgID:
        return GetProgID();
    case AttrVersion:
    case AttrTypeLib:
        return ReadClassValue(kAttributeTable[id].key);
    case AttrClsid:
        return m_clsid;
    case AttrTypeLibName:
        return GetTypeLibName();
    default:
        return GetFileAttribute(id);
    }
}

bool CComObject::RemoveFromRegistry(CRecordMaintenance& maintenance, std::string* report)
{
    return maintenance.RemoveFromRegistry(*this, std::string(), report);
}

bool CComObject::Unregister(CRecordMaintenance& maintenance)
{
    return maintenance.Unregister(*this);
}

void CComObject::FillCommonRows(CTwoColumnList& list)
{
    for (int id = AttrProgID; id <= AttrTypeLib; ++id)
        list.AppendRow(AttributeLabel(id), GetAttribute(id), RowKind::Registry);
    FillFileRows(list);
}

void CComObject::FillAttributeList(CTwoColumnList& list)
{
    FillCommonRows(list);
}

bool CComObject::HasKey(const std::string& keyPath) const
{
    return KeyExists(m_platform.registry, kClassesRoot, keyPath);
}

TreeItem CComObject::InsertKey(CTreeControl& tree, TreeItem parent, const std::string& name)
{
    return tree.InsertItem(parent, name, ItemKind::RegistryKey, nullptr);
}

void CComObject::AddKeySubtree(CTreeControl& tree, TreeItem parent,
                               const std::string& keyPath)
{
    CKeyGuard key(m_platform.registry);
    if (OpenKeyPath(m_platform.registry, kClassesRoot, keyPath, key.Receive()) == kRegSuccess)
        AddOpenKeySubtree(m_platform.registry, tree, parent, key.Get());
}

TreeItem CComObject::FillClassTree(CTreeControl& tree)
{
    TreeItem root = InsertKey(tree, kTreeRoot, "HKEY_CLASSES_ROOT");
    TreeItem clsidItem = InsertKey(tree, InsertKey(tree, root, "CLSID"), m_clsid);
    // The library and ProgID branches name keys of their own; the tree shows
    // them only when those keys are there.
    std::string typeLib = ReadClassValue("TypeLib");
    bool hasTypeLib = !typeLib.empty() && HasKey("TypeLib\\" + typeLib);
    TreeItem typeLibItem = kTreeRoot;
    if (hasTypeLib)
        typeLibItem = InsertKey(tree, InsertKey(tree, root, "TypeLib"), typeLib);
    std::string progId = ReadClassValue("ProgID");
    bool hasProgId = !progId.empty() && HasKey(progId);
    TreeItem progIdItem = kTreeRoot;
    if (hasProgId)
        progIdItem = InsertKey(tree, root, progId);
    tree.Expand(root);
    AddKeySubtree(tree, clsidItem, "CLSID\\" + m_clsid);
    if (hasTypeLib)
        AddKeySubtree(tree, typeLibItem, "TypeLib\\" + typeLib);
    if (hasProgId)
        AddKeySubtree(tree, progIdItem, progId);
    return root;
}

void CComObject::FillRegistryTree(CTreeControl& tree)
{
    FillClassTree(tree);
}

CFileRecords CComObject::FillDependencyTree(CTreeControl& tree)
{
    return FillDependencyItems(m_platform, *this, tree);
}

}  // namespace orrery
