#include "orrery/maintenance/maintenance.h"

#include "orrery/maintenance/registry_tree.h"
#include "orrery/maintenance/removal.h"
#include "orrery/maintenance/self_registration.h"

namespace orrery {

CMaintenance::CMaintenance(CRegistry& registry, CModules& modules, CBackupFolder& backups, CMaintenanceUI& ui)
    : m_registry(registry), m_modules(modules), m_backups(backups), m_ui(ui)
{
}

bool CMaintenance::RegisterServerFile(const std::string& path, bool releaseNow)
{
    return orrery::RegisterServerFile(m_modules, m_ui, path, releaseNow, m_missingDlls);
}

bool CMaintenance::UnregisterServerFile(const std::string& path)
{
    return orrery::UnregisterServerFile(m_modules, m_ui, path, m_missingDlls);
}

long CMaintenance::DeleteRegistryTree(RegKey parent, const std::string& subkey)
{
    return orrery::DeleteRegistryTree(m_registry, m_ui, parent, subkey);
}

bool CMaintenance::Unregister(CComObject& record)
{
    return UnregisterRecordServer(m_modules, m_ui, record.GetFilePath(), record.GetProgID(), m_missingDlls);
}

bool CMaintenance::RemoveFromRegistry(CComObject& record, const std::string& appId, std::string* report)
{
    CRemovalRequest request;
    request.name = record.GetProgID();
    request.clsid = record.GetClsid();
    request.progId = record.ReadClassValue("ProgID");
    request.typeLib = record.ReadClassValue("TypeLib");
    request.appId = appId;
    return RemoveClassKeys(m_registry, m_backups, m_ui, request, m_confirmRemove, report);
}

bool CMaintenance::ConfirmRemoval(CComObject& record, bool exeServer)
{
    return ConfirmRegistryRemoval(m_ui, record.GetProgID(), exeServer);
}

}  // namespace orrery
