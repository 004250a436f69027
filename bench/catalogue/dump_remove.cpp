#include "bench/catalogue/dump_remove.h"

#include "orrery/catalogue/classify.h"
#include "orrery/catalogue/com_servers.h"
#include "orrery/catalogue/registry_text.h"
#include "orrery/maintenance/maintenance.h"
#include "orrery/platform/win32_backup_folder.h"
#include "orrery/platform/win32_modules.h"

#include <cstdio>
#include <memory>

namespace orrery {

namespace {

// Talks to the user on standard error; answers the AppID question as told.
class CConsoleUI : public CMaintenanceUI {
public:
    explicit CConsoleUI(bool removeAppId) : m_removeAppId(removeAppId) {}
    void BeginWait() override {}
    void EndWait() override {}
    void ShowMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void ShowError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    bool AskYesNo(const std::string& caption, const std::string& text) override
    {
        std::fprintf(stderr, "%s: %s\n-> %s\n", caption.c_str(), text.c_str(), m_removeAppId ? "Yes" : "No");
        return m_removeAppId;
    }
    void ShowUnregistered(const std::string& name, const std::string& path) override
    {
        std::fprintf(stderr, "%s unregistered: %s\n", name.c_str(), path.c_str());
    }

private:
    bool m_removeAppId;
};

// A record of the class as the catalogue would build it: an EXE server when
// the catalogue lists it under EXE Servers (a class with a ProgID and
// LocalServer32 that is no control; that record also offers the AppID), else
// a DLL server. A class the catalogue leaves out (it has no ProgID) gets the
// kind its keys say.
std::unique_ptr<CComObject> RecordOf(CPlatform& machine, const std::string& clsid)
{
    CRegistry& registry = machine.registry;
    CKeyGuard classes(registry);
    bool exeServer = classes.Open(kClassesRoot, "CLSID") == kRegSuccess &&
                     HasLocalServer32(registry, classes.Get(), clsid) &&
                     !(HasProgID(registry, classes.Get(), clsid) && HasControl(registry, classes.Get(), clsid));
    if (exeServer)
        return std::unique_ptr<CComObject>(new CExeServer(machine, clsid));
    return std::unique_ptr<CComObject>(new CDllServer(machine, clsid));
}

}  // namespace

int RemoveClassFromDump(CPlatform& machine, const std::string& clsid, bool removeAppId)
{
    std::unique_ptr<CComObject> record = RecordOf(machine, clsid);
    CWin32Modules modules;
    CWin32BackupFolder backups;
    CConsoleUI ui(removeAppId);
    CMaintenance maintenance(machine.registry, modules, backups, ui);
    maintenance.SetConfirmRemove(false);
    std::string report;
    record->RemoveFromRegistry(maintenance, &report);
    std::fputs(report.c_str(), stdout);
    return KeyExists(machine.registry, kClassesRoot, "CLSID\\" + clsid) ? 1 : 0;
}

}  // namespace orrery
