#include "orrery/reports/server_file_commands.h"

#include "orrery/app/program_state.h"
#include "orrery/app/shell.h"
#include "orrery/app/shell_commands.h"
#include "orrery/reports/file_compare.h"
#include "orrery/platform/system_error.h"

namespace {

void ShowNotice(HWND owner, const std::string& text)
{
    ::MessageBoxA(owner, text.c_str(), "Orrery", MB_OK | MB_ICONWARNING);
}

// A drive ("C:") stands for its root folder, which has no entry of its own.
bool IsDriveOrFolder(const std::string& path)
{
    if (path.size() == 2 && path[1] == ':')
        return true;
    orrery::CFileEntry entry;
    return Machine().files.FindFile(path, &entry) && entry.isDirectory;
}

bool IsFile(const std::string& path)
{
    orrery::CFileEntry entry;
    return Machine().files.FindFile(path, &entry) && !entry.isDirectory;
}

} // namespace

void ShowFileNotFound(HWND owner, const std::string& path)
{
    ShowNotice(owner, "The file was not found:\n\n" + path);
}

void ShowFolderNotFound(HWND owner, const std::string& path)
{
    ShowNotice(owner, "The folder was not found:\n\n" + path);
}

// A record without any server path says so; otherwise the file is named.
static void ShowServerFileMissing(HWND owner, orrery::CComObject& record, const std::string& file)
{
    if (record.GetFilePath().empty())
        ShowNotice(owner, "This object names no server file.");
    else
        ShowFileNotFound(owner, file.empty() ? record.GetFilePath() : file);
}

void GotoFileLocation(orrery::CComObject& record, HWND owner)
{
    std::string file = orrery::ComparedFileOf(Machine(), record);
    size_t lastBackslash = file.rfind('\\');
    if (lastBackslash == std::string::npos) {
        ShowServerFileMissing(owner, record, file);
        return;
    }
    std::string folder = file.substr(0, lastBackslash);
    if (!IsFile(file) && !IsDriveOrFolder(folder)) {
        ShowFolderNotFound(owner, folder);
        return;
    }
    Shell().Execute(GotoFileLocationCommand(file), SW_SHOWNORMAL);
}

void RunExeServer(orrery::CComObject& record, HWND owner)
{
    std::string file = orrery::ComparedFileOf(Machine(), record);
    if (!record.IsFound() || !IsFile(file)) {
        ShowServerFileMissing(owner, record, file);
        return;
    }
    UINT started = Shell().Execute(record.GetFilePath(), SW_SHOWNORMAL);
    // WinExec gives 0 when the system is out of memory or resources, and
    // otherwise an error code.
    unsigned long error = started == 0 ? ERROR_NOT_ENOUGH_MEMORY : started;
    if (started < 32)
        ShowNotice(owner, "The server could not be started:\n\n" + record.GetFilePath() + "\n\n" +
                              orrery::SystemErrorText(error));
}
