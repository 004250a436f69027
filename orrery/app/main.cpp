// orrery's entry point: one application object runs the program.
#include "orrery/app/quillon_app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    CQuillonApp app;
    return app.Start(instance, commandLine);
}
