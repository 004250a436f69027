#include "orrery/maintenance/self_registration.h"

#include <cstdint>
#include <cstdio>

namespace orrery {

const char kRegisterEntryPoint[] = "DllRegisterServer";
const char kUnregisterEntryPoint[] = "DllUnregisterServer";

namespace {

const std::uint32_t kAccessDeniedHresult = 0x80070005u;  // E_ACCESSDENIED
const std::uint32_t kSelfRegTypeLib = 0x80040200u;       // SELFREG_E_TYPELIB
const std::uint32_t kSelfRegClass = 0x80040201u;         // SELFREG_E_CLASS
const unsigned long kModuleNotFound = 126;               // ERROR_MOD_NOT_FOUND

// The outcome of loading a server and calling one entry point. The module
// stays loaded (when it loaded) until the caller releases it.
struct CServerCall {
    ModuleHandle module = kNoModule;
    unsigned long loadError = 0;
    bool found = false;
    Hresult result = 0;

    bool Loaded() const { return module != kNoModule; }
    bool Succeeded() const { return found && result >= 0; }
};

CServerCall CallServer(CModules& modules, const std::string& path, const char* entryName)
{
    CServerCall call;
    call.module = modules.Load(path.c_str(), &call.loadError);
    if (!call.Loaded())
        return call;
    EntryPoint entry = modules.FindEntryPoint(call.module, entryName);
    call.found = entry != kNoEntryPoint;
    if (call.found)
        call.result = modules.CallEntryPoint(entry);
    return call;
}

// "\n\n" and why the system could not load the file at path; for a module
// that was not found, the DLLs it needs that are missing.
std::string LoadFailureReason(CModules& modules, unsigned long error, const std::string& path,
                              const MissingDllReader& missingDlls)
{
    std::string text = modules.ErrorText(error);
    std::string code = "(error " + std::to_string(error) + ")";
    std::string reason = "\n\n" + (text.empty() ? "Windows " + code + "." : text + " " + code);
    if (error != kModuleNotFound || !missingDlls)
        return reason;
    std::vector<std::string> names = missingDlls(path);
    if (names.empty())
        return reason;
    reason += "\n\nThese DLLs it needs were not found:";
    for (const std::string& name : names)
        reason += "\n" + name;
    return reason;
}

// "<entry> failed with error 0x...." and its meaning on the next line; the
// hint to run as administrator when the server was refused access.
std::string EntryPointFailure(CModules& modules, const char* entryName, Hresult code)
{
    std::string text = std::string(entryName) + " failed with error " + HresultHex(code) + ".";
    std::string meaning = HresultMeaning(modules, code);
    if (!meaning.empty())
        text += "\n" + meaning;
    if (static_cast<std::uint32_t>(code) == kAccessDeniedHresult)
        text += "\n\nAccess denied: run Orrery as administrator to register or unregister servers.";
    return text;
}

void Release(CModules& modules, ModuleHandle module, bool releaseNow)
{
    if (releaseNow)
        modules.Release(module);
    else
        ReleaseLibraryLater(modules, module);
}

// The register and unregister operations on a file: the same steps with
// their own entry point and texts.
struct CFileOperation {
    const char* entryName;
    const char* purpose;  // "register it", "unregister it"
    const char* success;  // "Registered Successfully !"
};

bool RunFileOperation(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                      bool releaseNow, const CFileOperation& operation,
                      const MissingDllReader& missingDlls)
{
    CWaitScope wait(ui);
    CServerCall call = CallServer(modules, path, operation.entryName);
    wait.Done();
    if (!call.Loaded()) {
        ui.ShowMessage("Failed to load " + path + " in order to " + operation.purpose + "." +
                       LoadFailureReason(modules, call.loadError, path, missingDlls));
        return false;
    }
    if (!call.found)
        ui.ShowMessage("Failed to find '" + std::string(operation.entryName) + "' function in " + path);
    else if (call.result < 0)
        ui.ShowMessage(path + "\n\n" + EntryPointFailure(modules, operation.entryName, call.result));
    else
        ui.ShowMessage(path + "\n\n" + operation.success);
    Release(modules, call.module, releaseNow);
    return call.Succeeded();
}

}  // namespace

std::string HresultHex(Hresult code)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(static_cast<std::uint32_t>(code)));
    return text;
}

std::string HresultMeaning(CModules& modules, Hresult code)
{
    std::string text = modules.ErrorText(static_cast<std::uint32_t>(code));
    if (!text.empty())
        return text;
    switch (static_cast<std::uint32_t>(code)) {
    case kSelfRegTypeLib:
        return "The server could not register its type library.";
    case kSelfRegClass:
        return "The server could not register all of its classes.";
    default:
        return std::string();
    }
}

bool RegisterServerFile(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                        bool releaseNow, const MissingDllReader& missingDlls)
{
    static const CFileOperation kRegister = {kRegisterEntryPoint, "register it",
                                             "Registered Successfully !"};
    return RunFileOperation(modules, ui, path, releaseNow, kRegister, missingDlls);
}

bool UnregisterServerFile(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                          const MissingDllReader& missingDlls)
{
    static const CFileOperation kUnregister = {kUnregisterEntryPoint, "unregister it",
                                               "Unregistered Successfully !"};
    return RunFileOperation(modules, ui, path, true, kUnregister, missingDlls);
}

bool UnregisterRecordServer(CModules& modules, CMaintenanceUI& ui, const std::string& path,
                            const std::string& name, const MissingDllReader& missingDlls)
{
    CWaitScope wait(ui);
    CServerCall call = CallServer(modules, path, kUnregisterEntryPoint);
    if (!call.Loaded()) {
        wait.Done();
        ui.ShowMessage("Failed to load " + path + " in order to Unregister " + name +
                       LoadFailureReason(modules, call.loadError, path, missingDlls));
        return false;
    }
    ReleaseLibraryLater(modules, call.module);
    wait.Done();
    if (!call.found) {
        ui.ShowMessage("Failed to find '" + std::string(kUnregisterEntryPoint) + "' function in " + path +
                       "\n\nCan't Unregister " + name);
        return false;
    }
    if (call.result < 0) {
        ui.ShowMessage(path + "\n\n" + EntryPointFailure(modules, kUnregisterEntryPoint, call.result) +
                       "\n\nCan't Unregister " + name);
        return false;
    }
    ui.ShowUnregistered(name, path);
    return true;
}

void ReleaseLibraryLater(CModules& modules, ModuleHandle module)
{
    modules.ReleaseOnWorkerThread(module);
}

}  // namespace orrery
