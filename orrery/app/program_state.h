// The few program-wide values the windows share: the options that filter and
// label the object tree, the layout-suspended flag, and the machine whose
// registry and files the catalogue reads (the live one unless a test hands
// in another).
#ifndef ORRERY_APP_PROGRAM_STATE_H
#define ORRERY_APP_PROGRAM_STATE_H

#include "orrery/platform/platform.h"

// Tree labels chosen by DisplayInList.
enum TreeLabel {
    LabelProgID = 0,
    LabelClsid = 1,
    LabelFileLocation = 2,
    LabelTypeLibName = 3,
};

struct COptions {
    bool DisplayMissing = true;    // show misbehaved objects
    bool DisplayInstalled = true;  // show well behaved objects
    bool ConfirmRemove = true;     // report the deleted keys after a removal
    long DisplayInList = LabelProgID;
};

COptions& Options();

// True from start-up until the main window has its final place: the views
// then leave their controls where the templates put them.
bool IsLayoutSuspended();
void SetLayoutSuspended(bool suspended);

orrery::CPlatform& Machine();
// Makes the windows read another machine; null returns to the live one.
void UseMachine(orrery::CPlatform* platform);

#endif
