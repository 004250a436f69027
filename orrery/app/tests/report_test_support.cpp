#include "orrery/app/tests/report_test_support.h"

#include <windows.h>

CTemporaryFolder::CTemporaryFolder()
{
    char saved[MAX_PATH] = "";
    ::GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    m_savedTmp = saved;
    ::SetEnvironmentVariableA("TMP", (Path() + "\\").c_str());
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    m_savedDirectory = saved;
    ::SetCurrentDirectoryA(Path().c_str());
}

// The folder itself goes with everything in it once the process no longer
// works in it.
CTemporaryFolder::~CTemporaryFolder()
{
    ::SetEnvironmentVariableA("TMP", m_savedTmp.c_str());
    ::SetCurrentDirectoryA(m_savedDirectory.c_str());
}
