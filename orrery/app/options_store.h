// The options kept in orrery.ini, section General: three Yes/No switches
// and the tree label number. ReadOptions fills the program's option values
// from the file; WriteOptions stores all four, as the options dialog's OK
// does.
#ifndef ORRERY_APP_OPTIONS_STORE_H
#define ORRERY_APP_OPTIONS_STORE_H

#include "orrery/app/program_state.h"

#include <string>

// The private-profile calls on one ini file.
class CProfile {
public:
    virtual ~CProfile() = default;
    // GetPrivateProfileStringA with a 1023-character buffer: the key's text,
    // or defaultText when the file or the key is missing.
    virtual std::string ReadString(const char* section, const char* key, const char* defaultText) = 0;
    // GetPrivateProfileIntA.
    virtual long ReadInteger(const char* section, const char* key, long defaultValue) = 0;
    // WritePrivateProfileStringA; false when the file could not be written.
    virtual bool WriteString(const char* section, const char* key, const char* text) = 0;
};

extern const char kOptionsSection[];

// Only the exact text "Yes" switches an option on; a missing file or key
// reads as "Yes". DisplayInList reads as 0 when missing.
void ReadOptions(CProfile& profile, COptions& options);

// Writes the four keys; DisplayInList in decimal (-1: no label chosen).
// The failures of the profile calls are not reported.
void WriteOptions(CProfile& profile, const COptions& options);

#endif
