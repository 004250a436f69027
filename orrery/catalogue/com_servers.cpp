#include "orrery/catalogue/com_servers.h"

#include "orrery/catalogue/registry_text.h"

namespace orrery {

const char kInprocServer32[] = "InprocServer32";
const char kLocalServer32[] = "LocalServer32";

CComControl::CComControl(CPlatform& platform, const std::string& clsid)
    : CComObject(platform, clsid, kInprocServer32)
{
}

void CComControl::FillAttributeList(CTwoColumnList& list)
{
    FillCommonRows(list);
    list.AppendRow("Toolbox Bitmap", ReadClassValue("ToolboxBitmap32"), RowKind::File);
}

CDllServer::CDllServer(CPlatform& platform, const std::string& clsid)
    : CComObject(platform, clsid, kInprocServer32)
{
}

CExeServer::CExeServer(CPlatform& platform, const std::string& clsid)
    : CComObject(platform, clsid, kLocalServer32)
{
}

std::string CExeServer::GetAppID() const
{
    return ReadClassKeyValue("AppID");
}

std::string CExeServer::GetProgID() const
{
    std::string description = ReadClassKeyValue(nullptr);
    return description.empty() ? CComObject::GetProgID() : description;
}

bool CExeServer::RemoveFromRegistry(CRecordMaintenance& maintenance, std::string* report)
{
    return maintenance.RemoveFromRegistry(*this, GetAppID(), report);
}

void CExeServer::FillAttributeList(CTwoColumnList& list)
{
    FillCommonRows(list);
    list.AppendRow("AppID", GetAppID(), RowKind::Registry);
    list.AppendRow("Default Icon", ReadClassValue("DefaultIcon"), RowKind::File);
}

void CExeServer::FillRegistryTree(CTreeControl& tree)
{
    TreeItem root = FillClassTree(tree);
    std::string appId = GetAppID();
    if (appId.empty() || !HasKey("AppID\\" + appId))
        return;
    TreeItem item = InsertKey(tree, InsertKey(tree, root, "AppID"), appId);
    AddKeySubtree(tree, item, "AppID\\" + appId);
}

}  // namespace orrery
