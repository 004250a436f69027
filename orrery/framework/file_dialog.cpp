#include "orrery/framework/file_dialog.h"

#include <commdlg.h>

std::string AskForExistingFile(HWND owner, const char* title, const char* filter)
{
    char systemFolder[MAX_PATH] = "";
    ::GetSystemDirectoryA(systemFolder, MAX_PATH);
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH - 1;
    dialog.lpstrInitialDir = systemFolder;
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog))
        return std::string();
    return path;
}
