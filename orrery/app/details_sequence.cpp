#include "orrery/app/details_sequence.h"

#include "orrery/catalogue/catalogue.h"
#include "orrery/catalogue/server_path.h"

#include <memory>

const char kConfirmRegistrationCaption[] = "Confirm Registeration";

namespace {

std::unique_ptr<orrery::CComObject> Find(orrery::CPlatform& platform, CDetailsWindows& windows,
                                         const std::string& file)
{
    std::unique_ptr<orrery::CComObject> record =
        orrery::FindObjectByFile(platform, file, [&windows] { windows.ShowSearchWait(); });
    windows.HideSearchWait();
    return record;
}

std::string ControlText(const std::string& file)
{
    return "The control located in: " + file;
}

} // namespace

bool RunDetailsSequence(orrery::CPlatform& platform, orrery::CMaintenance& maintenance,
                        orrery::CMaintenanceUI& ui, CDetailsWindows& windows, const std::string& path)
{
    std::string file = orrery::StripQuotes(path);
    std::unique_ptr<orrery::CComObject> record = Find(platform, windows, file);
    if (!record) {
        orrery::CFileEntry entry;
        if (!platform.files.FindFile(file, &entry)) {
            ui.ShowMessage(ControlText(file) + "\n\nDoes not exist. Unable to display control details.");
            return false;
        }
        if (!ui.AskYesNo(kConfirmRegistrationCaption,
                         ControlText(file) +
                             "\nDoes not seem to be registered.\n\nWould you like to register it now?"))
            return false;
        maintenance.RegisterServerFile(file, true);
        record = Find(platform, windows, file);
    }
    if (!record) {
        ui.ShowMessage(ControlText(file) +
                       "\n\nCould not be located in the registry. Unable to display control details.");
        return false;
    }
    windows.ShowDetails(*record);
    return true;
}
