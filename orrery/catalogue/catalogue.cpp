// The scan takes the class names under HKEY_CLASSES_ROOT\CLSID first, then
// looks each one up in enumeration order, so that classes deleted meanwhile
// are the only ones missing. It keeps every class with a ProgID key: a class with a Control key becomes a
// control, else one with a LocalServer32 key an EXE server, and,
// independently, one whose InProcServer32 value ends in DLL also a DLL
// server. Building a record reads the one server value and tests its file;
// nothing else is read until it is shown.
#include "orrery/catalogue/catalogue.h"

#include "orrery/catalogue/classify.h"
#include "orrery/catalogue/registry_text.h"

#include <algorithm>

namespace orrery {

const char* const kCategoryTabText[kCategoryCount] = {
    "Controls", "DLL Servers", "EXE Servers",
};

const char kProgressClearing[] = "Initializing Object Lists";
const char kProgressScanning[] = "Searching the Registry for COM Objects";
const char kProgressFilling[] = "Initializing the User Interface";
const char kProgressDone[] = "Done.";

CCatalogue::CCatalogue(CPlatform& platform) : m_platform(platform) {}

CCatalogue::~CCatalogue()
{
    ClearCatalogue();
}

void CCatalogue::ScanRegistry()
{
    CRegistry& registry = m_platform.registry;
    CKeyGuard classes(registry);
    if (classes.Open(kClassesRoot, "CLSID") != kRegSuccess)
        return;
    RegKey clsidKey = classes.Get();
    for (const std::string& clsid : ListSubkeyNames(registry, clsidKey)) {
        if (!HasProgID(registry, clsidKey, clsid))
            continue;
        if (HasControl(registry, clsidKey, clsid))
            m_lists[CategoryControls].push_back(std::make_unique<CComControl>(m_platform, clsid));
        else if (HasLocalServer32(registry, clsidKey, clsid))
            m_lists[CategoryExeServers].push_back(std::make_unique<CExeServer>(m_platform, clsid));
        if (IsDllServer(registry, clsidKey, clsid))
            m_lists[CategoryDllServers].push_back(std::make_unique<CDllServer>(m_platform, clsid));
    }
}

void CCatalogue::ClearCatalogue()
{
    for (CObjectList& list : m_lists)
        list.clear();
}

void CCatalogue::RefreshCatalogue(const ProgressFn& progress,
                                  const std::function<void()>& fillTree)
{
    auto report = [&progress](const char* text) {
        if (progress)
            progress(text);
    };
    report(kProgressClearing);
    ClearCatalogue();
    report(kProgressScanning);
    ScanRegistry();
    report(kProgressFilling);
    if (fillTree)
        fillTree();
    report(kProgressDone);
}

const CObjectList& CCatalogue::List(ObjectCategory category) const
{
    return m_lists[category];
}

CObjectList* CCatalogue::CurrentList(int selectedTab)
{
    if (selectedTab < 0 || selectedTab >= kCategoryCount)
        return nullptr;
    return &m_lists[selectedTab];
}

bool CCatalogue::RemoveSelectedRecord(int selectedTab, const CComObject* record)
{
    CObjectList* list = CurrentList(selectedTab);
    if (!list || !record)
        return false;
    auto found = std::find_if(list->begin(), list->end(),
                              [record](const std::unique_ptr<CComObject>& held) { return held.get() == record; });
    if (found == list->end())
        return false;
    list->erase(found);
    return true;
}

std::vector<CComObject*> RecordsOf(const CObjectList& list)
{
    std::vector<CComObject*> records;
    records.reserve(list.size());
    for (const std::unique_ptr<CComObject>& record : list)
        records.push_back(record.get());
    return records;
}

}  // namespace orrery
