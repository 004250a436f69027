// The one way orrery opens its help: the Help buttons of the dialogs with
// their context (help_topics.h), Help / Contents with the contents. The
// help viewer opens orrery.hlp when it lies beside the program; otherwise
// the user's browser opens the topic's page from the orrery-help folder
// beside the program. A missing page or a browser that cannot be started is
// told in a message box over owner.
#ifndef ORRERY_APP_HELP_H
#define ORRERY_APP_HELP_H

#include "orrery/app/help_topics.h"

#include <windows.h>

// owner: the dialog or main window asking; null takes the active window.
void ShowHelp(HWND owner, int context);
void ShowHelpContents(HWND owner);

#endif
