// CIniProfile: the private-profile calls on one ini file. A name without a
// folder, such as orrery.ini, is kept by the system in the Windows folder.
#ifndef ORRERY_APP_INI_PROFILE_H
#define ORRERY_APP_INI_PROFILE_H

#include "orrery/app/options_store.h"

#include <string>

class CIniProfile : public CProfile {
public:
    explicit CIniProfile(std::string fileName) : m_fileName(std::move(fileName)) {}
    std::string ReadString(const char* section, const char* key, const char* defaultText) override;
    long ReadInteger(const char* section, const char* key, long defaultValue) override;
    bool WriteString(const char* section, const char* key, const char* text) override;

private:
    std::string m_fileName;
};

// orrery.ini, where the options live.
CProfile& OrreryIni();

#endif
