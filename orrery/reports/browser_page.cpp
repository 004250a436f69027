#include "orrery/reports/browser_page.h"

#include "orrery/app/shell.h"
#include "orrery/app/shell_commands.h"
#include "orrery/platform/system_error.h"
#include "orrery/reports/test_page.h"

#include <cstdio>

namespace {

const DWORD kTempPathCharacters = 260;

// Writes text in text mode, so that every "\n" becomes CR LF.
bool WriteTextFile(const std::string& path, const std::string& text, DWORD* error)
{
    FILE* file = std::fopen(path.c_str(), "w");
    if (!file) {
        *error = ::GetLastError();
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = std::fclose(file) == 0 && written;
    if (!written)
        *error = ::GetLastError();
    return written;
}

} // namespace

bool WriteTestPageFile(const std::string& page, std::string* path, DWORD* error)
{
    path->clear();
    *error = 0;
    char directory[kTempPathCharacters + 1] = "";
    DWORD length = ::GetTempPathA(kTempPathCharacters, directory);
    if (length == 0 || length > kTempPathCharacters)
        return false;
    char temporary[MAX_PATH] = "";
    if (!::GetTempFileNameA(directory, "axm", 0, temporary))
        return false;
    *path = std::string(temporary) + ".HTM";
    if (!::MoveFileA(temporary, path->c_str())) {
        *error = ::GetLastError();
        ::DeleteFileA(temporary);
        return false;
    }
    return WriteTextFile(*path, page, error);
}

void ViewInBrowser(orrery::CComObject& record, HWND owner)
{
    std::string page = orrery::TestPageText(record.GetProgID(), record.GetClsidWithoutBraces());
    std::string path;
    DWORD error = 0;
    if (!WriteTestPageFile(page, &path, &error)) {
        if (path.empty())
            return;
        std::string text = "The test page could not be written:\n\n" + path + "\n\n" + orrery::SystemErrorText(error);
        ::MessageBoxA(owner, text.c_str(), "Orrery", MB_OK | MB_ICONWARNING);
        return;
    }
    Shell().Execute(ExplorerCommand(path), SW_SHOWNORMAL);
}
