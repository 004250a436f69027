#include "orrery/app/ini_profile.h"

#include <windows.h>

std::string CIniProfile::ReadString(const char* section, const char* key, const char* defaultText)
{
    char text[1024] = "";
    DWORD length = ::GetPrivateProfileStringA(section, key, defaultText, text, 1023, m_fileName.c_str());
    return std::string(text, length);
}

long CIniProfile::ReadInteger(const char* section, const char* key, long defaultValue)
{
    return static_cast<long>(::GetPrivateProfileIntA(section, key, defaultValue, m_fileName.c_str()));
}

bool CIniProfile::WriteString(const char* section, const char* key, const char* text)
{
    return ::WritePrivateProfileStringA(section, key, text, m_fileName.c_str()) != FALSE;
}

CProfile& OrreryIni()
{
    static CIniProfile ini("orrery.ini");
    return ini;
}
