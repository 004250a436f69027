#include "orrery/app/help.h"

#include "orrery/app/message_dlg.h"
#include "orrery/app/program_paths.h"
#include "orrery/app/shell.h"
#include "orrery/platform/system_error.h"

#include <string>

namespace {

std::string ModulePath()
{
    char path[MAX_PATH] = "";
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

bool IsFile(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The message window wraps a long path and grows with the text, where a
// message box would cut a path off at its width.
void Complain(HWND owner, const std::string& text)
{
    CMessageDlg dialog(text);
    dialog.DoModal(owner);
}

// The system's text for the error, never "success": a shell that failed
// without saying why is told as such.
std::string Reason(DWORD error)
{
    return error ? orrery::SystemErrorText(error) : "Windows gave no reason.";
}

void OpenHelp(HWND owner, int context)
{
    if (!owner)
        owner = ::GetActiveWindow();
    CHelpRequest request = ChooseHelp(ProgramDirectoryOf(ModulePath()), context, IsFile);
    DWORD error = 0;
    switch (request.kind) {
    case CHelpRequest::HelpFile:
        Shell().WinHelp(owner, request.path, request.command, request.data);
        break;
    case CHelpRequest::Page:
        if (!Shell().Open(owner, request.path, SW_SHOWNORMAL, &error))
            Complain(owner, "The help page could not be opened:\n\n" + request.path + "\n\n" + Reason(error));
        break;
    case CHelpRequest::NotFound:
        Complain(owner, "The help for Orrery was not found. Its pages belong in the folder " +
                            std::string(kHelpFolderName) + " beside the program:\n\n" + request.path);
        break;
    }
}

} // namespace

void ShowHelp(HWND owner, int context)
{
    OpenHelp(owner, context);
}

void ShowHelpContents(HWND owner)
{
    OpenHelp(owner, HelpContents);
}
