// Deleting a tree depth first. RegDeleteKeyA deletes only a key without
// subkeys, so each key's children go first: the walk asks for the child at
// index 0 again after each deletion, since the deleted one no longer holds
// that place. The walk ends because every round either deletes the child at
// index 0 (the key has one subkey fewer) or stops: a child that could not be
// deleted, or one that comes back at index 0 right after it was dealt with
// (a name the registry lists but cannot open), ends the walk with one
// message instead of looping for ever.
#include "orrery/maintenance/registry_tree.h"

#include "orrery/catalogue/registry_text.h"
#include "orrery/maintenance/key_names.h"
#include "orrery/platform/key_guard.h"

namespace orrery {

namespace {

const char kDeleteFailed[] = "Failed while trying to delete registry key ";

struct CTreeWalk {
    CRegistry& registry;
    CMaintenanceUI& ui;
    bool reported;

    void Stop(const std::string& path)
    {
        if (!reported)
            ui.ShowError(kDeleteFailed + path);
        reported = true;
    }
};

long DeleteTree(CTreeWalk& walk, RegKey parent, const std::string& subkey, const std::string& shownPath)
{
    CKeyGuard key(walk.registry);
    long result = key.OpenToChange(parent, subkey.c_str());
    if (result != kRegSuccess)
        return result;
    std::string previous;
    for (;;) {
        std::string child;
        result = EnumSubkeyName(walk.registry, key.Get(), 0, &child);
        if (result == kRegNoMoreItems)
            break;
        if (result == kRegKeyDeleted) {
            // Someone else deleted the key while we walked it.
            return kRegFileNotFound;
        }
        bool cameBack = result == kRegSuccess && !previous.empty() && SameKeyName(child, previous);
        if (result != kRegSuccess || cameBack) {
            walk.Stop(result == kRegSuccess ? shownPath + "\\" + child : shownPath);
            return result == kRegSuccess ? kRegAccessDenied : result;
        }
        long childResult = DeleteTree(walk, key.Get(), child, shownPath + "\\" + child);
        if (childResult != kRegSuccess && childResult != kRegFileNotFound) {
            walk.Stop(shownPath + "\\" + child);
            return childResult;
        }
        previous = child;
    }
    key.Close();
    return walk.registry.DeleteKey(parent, subkey.c_str());
}

}  // namespace

long DeleteRegistryTree(CRegistry& registry, CMaintenanceUI& ui, RegKey parent,
                        const std::string& subkey)
{
    CTreeWalk walk{registry, ui, false};
    return DeleteTree(walk, parent, subkey, subkey);
}

bool CanChangeTree(CRegistry& registry, const std::string& path, std::string* refusedPath,
                   long* result)
{
    CKeyGuard key(registry);
    long opened = key.OpenToChange(kClassesRoot, path.c_str());
    if (opened == kRegFileNotFound)
        return true;
    if (opened != kRegSuccess) {
        *refusedPath = path;
        *result = opened;
        return false;
    }
    bool allowed = true;
    for (unsigned long index = 0; allowed; ++index) {
        std::string child;
        long listed = EnumSubkeyName(registry, key.Get(), index, &child);
        if (listed == kRegNoMoreItems || listed == kRegKeyDeleted)
            break;
        if (listed != kRegSuccess) {
            *refusedPath = path;
            *result = listed;
            allowed = false;
        } else {
            allowed = CanChangeTree(registry, path + "\\" + child, refusedPath, result);
        }
    }
    return allowed;
}

}  // namespace orrery
