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
            m_lists[CategoryControls].push_back(new CComControl(m_platform, clsid));
        else if (HasLocalServer32(registry, clsidKey, clsid))
            m_lists[CategoryExeServers].push_back(new CExeServer(m_platform, clsid));
        if (IsDllServer(registry, clsidKey, clsid))
            m_lists[CategoryDllServers].push_back(new CDllServer(m_platform, clsid));
    }
}

void CCatalogue::ClearCatalogue()
{
    for (CObjectList& list : m_lists) {
        for (CComObject* record : list)
            delete record;
        list.clear();
    }
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

bool CCatalogue::RemoveSelectedRecord(int selectedTab, CComObject* record)
{
    CObjectList* list = CurrentList(selectedTab);
    if (!list || !record)
        return false;
    auto found = std::find(list->begin(), list->end(), record);
    if (found == list->end())
        return false;
    delete *found;
    list->erase(found);
    return true;
}

}  // namespace orrery
