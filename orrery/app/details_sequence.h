// The "-V" operation of the command line (the shell verb "View ...
// Details"): find the class the file serves and show its details window; for
// a file no class names, offer to register it and look again.
#ifndef ORRERY_APP_DETAILS_SEQUENCE_H
#define ORRERY_APP_DETAILS_SEQUENCE_H

#include "orrery/catalogue/com_object.h"
#include "orrery/maintenance/maintenance.h"
#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/platform.h"

#include <string>

extern const char kConfirmRegistrationCaption[];  // "Confirm Registeration"

// The windows of the operation beside the maintenance messages.
class CDetailsWindows {
public:
    virtual ~CDetailsWindows() = default;
    // The search wait window: shown once a search has begun, taken down after
    // it (also when it was never shown).
    virtual void ShowSearchWait() = 0;
    virtual void HideSearchWait() = 0;
    // The details window of record, run modally.
    virtual void ShowDetails(orrery::CComObject& record) = 0;
};

// Runs the operation on the file at path, as the command line gives it
// (quotes around it are taken off). A file that does not exist and that no
// class names is told as missing, without the offer to register it. True
// when a details window was shown; every record found is destroyed before
// the call returns.
bool RunDetailsSequence(orrery::CPlatform& platform, orrery::CMaintenance& maintenance,
                        orrery::CMaintenanceUI& ui, CDetailsWindows& windows, const std::string& path);

#endif
