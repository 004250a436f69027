// Command 122 (F12, Save): writes the current View as a compare listing
// to a file the user chooses, and offers to open it in the host.
#pragma once

#include <windows.h>
#include <commdlg.h>

// How the file is chosen (GetSaveFileNameA); tests answer it.
using SaveDialogFunction = BOOL(WINAPI*)(OPENFILENAMEA* dialog);
extern SaveDialogFunction save_dialog_function;

void write_listing_for_host();
