#include "orrery/app/options_store.h"

#include <cstdio>

const char kOptionsSection[] = "General";

namespace {

bool ReadSwitch(CProfile& profile, const char* key)
{
    return profile.ReadString(kOptionsSection, key, "Yes") == "Yes";
}

void WriteSwitch(CProfile& profile, const char* key, bool on)
{
    profile.WriteString(kOptionsSection, key, on ? "Yes" : "No");
}

} // namespace

void ReadOptions(CProfile& profile, COptions& options)
{
    options.DisplayMissing = ReadSwitch(profile, "DisplayMissing");
    options.DisplayInstalled = ReadSwitch(profile, "DisplayInstalled");
    options.ConfirmRemove = ReadSwitch(profile, "ConfirmRemove");
    options.DisplayInList = profile.ReadInteger(kOptionsSection, "DisplayInList", LabelProgID);
}

void WriteOptions(CProfile& profile, const COptions& options)
{
    WriteSwitch(profile, "DisplayMissing", options.DisplayMissing);
    WriteSwitch(profile, "DisplayInstalled", options.DisplayInstalled);
    WriteSwitch(profile, "ConfirmRemove", options.ConfirmRemove);
    char number[32];
    std::snprintf(number, sizeof number, "%ld", options.DisplayInList);
    profile.WriteString(kOptionsSection, "DisplayInList", number);
}
