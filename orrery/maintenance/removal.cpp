// A removal runs in four steps: plan (which of the keys the class names are
// its own, which are kept and why), check that every key to delete may be
// changed, write the backup, delete. The report is written last, from what
// is really left in the registry: a key counts as deleted only when it is
// gone afterwards.
#include "orrery/maintenance/removal.h"

#include "orrery/catalogue/registry_text.h"
#include "orrery/maintenance/key_names.h"
#include "orrery/maintenance/registry_backup.h"
#include "orrery/maintenance/registry_tree.h"

#include <vector>

namespace orrery {

const char kReportRule[] = "------------------------------------------\n";

namespace {

const char kRemovedHeading[] = " was successfully removed from the Registry.\n\n";
const char kAllDeleted[] = "The following keys were deleted:\n";
const char kSomeDeleted[] = "The following keys were deleted, except where noted:\n";

// One key that the class names, and what the removal does with it.
struct CPlannedKey {
    const char* label;   // "ProgID", "TypeLib", "CLSID", "AppID"
    std::string value;   // the name as the class gives it
    std::string path;    // below HKEY_CLASSES_ROOT
    bool toDelete;
    std::string note;    // why it is not deleted, as the report shows it
};

CPlannedKey Kept(const char* label, const std::string& value, const std::string& why)
{
    return CPlannedKey{label, value, std::string(), false, "kept: " + why};
}

CPlannedKey ToDelete(const char* label, const std::string& value, const std::string& path)
{
    return CPlannedKey{label, value, path, true, std::string()};
}

CPlannedKey NotFound(const char* label, const std::string& value)
{
    return CPlannedKey{label, value, std::string(), false, "not found"};
}

CPlannedKey PlanProgId(CRegistry& registry, const CRemovalRequest& request)
{
    const char* label = "ProgID";
    std::string why;
    if (!IsOwnProgIdName(request.progId, &why))
        return Kept(label, request.progId, why);
    if (!KeyExists(registry, kClassesRoot, request.progId))
        return NotFound(label, request.progId);
    std::string named = ReadKeyText(registry, kClassesRoot, request.progId + "\\CLSID", nullptr, kClassValueSize);
    if (named.empty())
        return Kept(label, request.progId, "it does not name this class");
    if (!SameKeyName(named, request.clsid))
        return Kept(label, request.progId, "it belongs to another class");
    return ToDelete(label, request.progId, request.progId);
}

// The first class other than clsid whose TypeLib value names typeLib; empty
// text when there is none. *complete is false when the classes could not
// all be read.
std::string OtherTypeLibUser(CRegistry& registry, const std::string& clsid, const std::string& typeLib,
                             bool* complete)
{
    *complete = false;
    CKeyGuard classes(registry);
    if (classes.Open(kClassesRoot, "CLSID") != kRegSuccess)
        return std::string();
    std::string user;
    for (unsigned long index = 0; user.empty(); ++index) {
        std::string name;
        long result = EnumSubkeyName(registry, classes.Get(), index, &name);
        if (result == kRegNoMoreItems) {
            *complete = true;
            break;
        }
        if (result != kRegSuccess)
            break;
        if (!SameKeyName(name, clsid) &&
            SameKeyName(ReadKeyText(registry, classes.Get(), name + "\\TypeLib", nullptr, kClassValueSize), typeLib))
            user = name;
    }
    if (!user.empty())
        *complete = true;
    return user;
}

// The key of guid below the key label (TypeLib, CLSID, AppID) planned for
// deletion; false, with the key planned as kept or not found, when guid is
// not what (a class identifier, ...) in braces or its key is not there.
bool PlanGuidKey(CRegistry& registry, const char* label, const std::string& guid, const char* what,
                 CPlannedKey* planned)
{
    std::string path = std::string(label) + "\\" + guid;
    if (!IsBracedGuid(guid))
        *planned = Kept(label, guid, std::string("it is not ") + what + " in braces");
    else if (!KeyExists(registry, kClassesRoot, path))
        *planned = NotFound(label, guid);
    else
        *planned = ToDelete(label, guid, path);
    return planned->toDelete;
}

CPlannedKey PlanTypeLib(CRegistry& registry, const CRemovalRequest& request)
{
    CPlannedKey planned{};
    if (!PlanGuidKey(registry, "TypeLib", request.typeLib, "a type library identifier", &planned))
        return planned;
    bool complete = false;
    std::string user = OtherTypeLibUser(registry, request.clsid, request.typeLib, &complete);
    if (!user.empty())
        return Kept(planned.label, request.typeLib, "class " + user + " uses it too");
    if (!complete)
        return Kept(planned.label, request.typeLib, "the other classes could not all be checked");
    return planned;
}

CPlannedKey PlanClass(CRegistry& registry, const CRemovalRequest& request)
{
    CPlannedKey planned{};
    PlanGuidKey(registry, "CLSID", request.clsid, "a class identifier", &planned);
    return planned;
}

CPlannedKey PlanAppId(CRegistry& registry, CMaintenanceUI& ui, const CRemovalRequest& request)
{
    CPlannedKey planned{};
    if (!PlanGuidKey(registry, "AppID", request.appId, "an AppID", &planned))
        return planned;
    bool remove = ui.AskYesNo("Confirm AppID Delete",
                              request.name + " has an AppID registry key defined.\n"
                                             "This key could be shared by other objects.\n\n"
                                             "Would you like to remove it?");
    if (!remove)
        return Kept(planned.label, request.appId, "you chose to keep it");
    return planned;
}

std::string AccessText(long result)
{
    return result == kRegAccessDenied ? "access denied" : "error " + std::to_string(result);
}

// Checks that every key planned for deletion may be changed; a key that may
// not is noted and no longer planned. Returns the first refused key's path
// and its result, or empty text.
std::string RefuseUnchangeable(CRegistry& registry, std::vector<CPlannedKey>& plan, long* firstResult)
{
    std::string firstRefused;
    for (CPlannedKey& key : plan) {
        std::string refused;
        long result = kRegSuccess;
        if (!key.toDelete || CanChangeTree(registry, key.path, &refused, &result))
            continue;
        key.toDelete = false;
        key.note = "not deleted: " + AccessText(result);
        if (firstRefused.empty()) {
            firstRefused = refused;
            *firstResult = result;
        }
    }
    return firstRefused;
}

std::string ReportLines(const std::vector<CPlannedKey>& plan)
{
    std::string lines = kReportRule;
    for (const CPlannedKey& key : plan) {
        lines += std::string(key.label) + ": " + key.value;
        if (!key.note.empty())
            lines += " (" + key.note + ")";
        lines += "\n";
    }
    return lines;
}

bool AllDeleted(const std::vector<CPlannedKey>& plan)
{
    for (const CPlannedKey& key : plan) {
        if (!key.note.empty())
            return false;
    }
    return true;
}

std::vector<CPlannedKey> PlanClassKeys(CRegistry& registry, const CRemovalRequest& request)
{
    std::vector<CPlannedKey> plan;
    if (!request.progId.empty())
        plan.push_back(PlanProgId(registry, request));
    if (!request.typeLib.empty())
        plan.push_back(PlanTypeLib(registry, request));
    if (!request.clsid.empty())
        plan.push_back(PlanClass(registry, request));
    return plan;
}

// Deletes the planned keys in plan order and notes each one still there.
void DeletePlanned(CRegistry& registry, CMaintenanceUI& ui, std::vector<CPlannedKey>& plan)
{
    for (CPlannedKey& key : plan) {
        if (!key.toDelete)
            continue;
        long result = DeleteRegistryTree(registry, ui, kClassesRoot, key.path);
        if (KeyExists(registry, kClassesRoot, key.path))
            key.note = "not deleted: " + AccessText(result == kRegSuccess ? kRegAccessDenied : result);
    }
}

std::vector<std::string> PlannedPaths(const std::vector<CPlannedKey>& plan)
{
    std::vector<std::string> paths;
    for (const CPlannedKey& key : plan) {
        if (key.toDelete)
            paths.push_back(key.path);
    }
    return paths;
}

bool RefuseForAccess(CMaintenanceUI& ui, const CRemovalRequest& request, const std::vector<CPlannedKey>& plan,
                     const std::string& refusedPath, long result, std::string* report)
{
    *report = ReportLines(plan);
    std::string problem = result == kRegAccessDenied
                              ? "Access denied: run Orrery as administrator to change HKEY_CLASSES_ROOT\\"
                              : "The key HKEY_CLASSES_ROOT\\";
    problem += refusedPath + (result == kRegAccessDenied ? "." : " cannot be changed (error " +
                                                                   std::to_string(result) + ").");
    ui.ShowMessage(problem + "\n\n" + request.name + " was not removed from the Registry; nothing was deleted.\n\n" +
                   *report);
    return false;
}

}  // namespace

bool RemoveClassKeys(CRegistry& registry, CBackupFolder& backups, CMaintenanceUI& ui,
                     const CRemovalRequest& request, bool confirmRemove, std::string* report)
{
    std::vector<CPlannedKey> plan = PlanClassKeys(registry, request);
    long refusal = kRegSuccess;
    std::string refused = RefuseUnchangeable(registry, plan, &refusal);
    if (!refused.empty())
        return RefuseForAccess(ui, request, plan, refused, refusal, report);
    if (!request.appId.empty()) {
        std::vector<CPlannedKey> appIdPlan{PlanAppId(registry, ui, request)};
        RefuseUnchangeable(registry, appIdPlan, &refusal);
        plan.push_back(appIdPlan.front());
    }

    std::string backupPath;
    std::vector<std::string> paths = PlannedPaths(plan);
    if (!paths.empty()) {
        std::string reason;
        std::string label = request.progId.empty() ? request.clsid : request.progId;
        if (!WriteRegistryBackup(registry, backups, label, paths, &backupPath, &reason)) {
            *report = std::string(kReportRule);
            ui.ShowMessage("Nothing was removed from the Registry: the keys of " + request.name +
                           " could not be saved to a backup file first.\n\n" + reason +
                           "\n\nBackups are kept in " + backups.Location());
            return false;
        }
    }

    DeletePlanned(registry, ui, plan);
    *report = ReportLines(plan);
    if (!backupPath.empty())
        *report += "\nBackup of these keys (open it to restore them):\n" + backupPath + "\n";
    bool classGone = !request.clsid.empty() && !KeyExists(registry, kClassesRoot, "CLSID\\" + request.clsid);
    const char* list = AllDeleted(plan) ? kAllDeleted : kSomeDeleted;
    if (!classGone)
        ui.ShowMessage(request.name + " could not be removed from the Registry.\n\n" + kSomeDeleted + *report);
    else if (confirmRemove)
        ui.ShowMessage(request.name + kRemovedHeading + list + *report);
    return classGone;
}

bool ConfirmRegistryRemoval(CMaintenanceUI& ui, const std::string& name, bool exeServer)
{
    const char* advice =
        exeServer ? " is properly registered.\nIt is recommended that you uninstall the software via the "
                    "vendors' uninstall program.\n\nWould you like to delete it from the registry anyway?"
                  : " is properly registered.\nIt is recommended that you unregister it instead (Use the "
                    "unregister button in the toolbar).\n\nWould you like to delete it from the registry anyway?";
    return ui.AskYesNo("Confirm Registry Removal", name + advice);
}

}  // namespace orrery
