#include "orrery/app/tests/report_test_support.h"

#include <windows.h>

#include <fstream>
#include <sstream>

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

CTemporaryFolder::CTemporaryFolder()
{
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    path = std::string(base) + "orrery-report-dialog-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(path.c_str(), nullptr);
    char saved[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    m_savedTmp = saved;
    ::SetEnvironmentVariableA("TMP", (path + "\\").c_str());
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    m_savedDirectory = saved;
    ::SetCurrentDirectoryA(path.c_str());
}

CTemporaryFolder::~CTemporaryFolder()
{
    ::SetEnvironmentVariableA("TMP", m_savedTmp.c_str());
    ::SetCurrentDirectoryA(m_savedDirectory.c_str());
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            ::DeleteFileA((path + "\\" + found.cFileName).c_str());
        while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}
