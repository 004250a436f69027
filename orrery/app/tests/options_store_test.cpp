#include "orrery/app/options_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace {

// An ini file in memory: section and key looked up as given, every write
// logged in order.
class CMemoryProfile : public CProfile {
public:
    std::string ReadString(const char* section, const char* key, const char* defaultText) override
    {
        auto value = values.find(Name(section, key));
        return value == values.end() ? defaultText : value->second;
    }
    long ReadInteger(const char* section, const char* key, long defaultValue) override
    {
        auto value = values.find(Name(section, key));
        return value == values.end() ? defaultValue : std::strtol(value->second.c_str(), nullptr, 10);
    }
    bool WriteString(const char* section, const char* key, const char* text) override
    {
        writes += Name(section, key) + "=" + text + "\n";
        values[Name(section, key)] = text;
        return true;
    }
    static std::string Name(const char* section, const char* key) { return std::string(section) + "/" + key; }

    std::map<std::string, std::string> values;
    std::string writes;
};

COptions AllOff()
{
    COptions options;
    options.DisplayMissing = options.DisplayInstalled = options.ConfirmRemove = false;
    options.DisplayInList = 3;
    return options;
}

// The options read from profile over AllOff: the switches that are on, and
// the label's number.
std::string ReadBack(CProfile& profile)
{
    COptions options = AllOff();
    ReadOptions(profile, options);
    std::string text;
    text += options.DisplayMissing ? "missing " : "";
    text += options.DisplayInstalled ? "installed " : "";
    text += options.ConfirmRemove ? "confirm " : "";
    return text + "label " + std::to_string(options.DisplayInList);
}

TEST(ReadOptions, WithoutAnIniFileEverythingIsShownByProgIDAndRemovalsReport)
{
    CMemoryProfile none;
    EXPECT_EQ("missing installed confirm label " + std::to_string(LabelProgID), ReadBack(none));
}

TEST(ReadOptions, OnlyTheExactTextYesSwitchesAnOptionOn)
{
    CMemoryProfile profile;
    profile.values = {{"General/DisplayMissing", "yes"},
                      {"General/DisplayInstalled", "YES"},
                      {"General/ConfirmRemove", "Yes"}};
    COptions options;
    ReadOptions(profile, options);
    EXPECT_FALSE(options.DisplayMissing);
    EXPECT_FALSE(options.DisplayInstalled);
    EXPECT_TRUE(options.ConfirmRemove);

    profile.values = {{"General/DisplayMissing", "No"}, {"General/DisplayInstalled", ""},
                      {"General/ConfirmRemove", "1"}};
    ReadOptions(profile, options);
    EXPECT_FALSE(options.DisplayMissing);
    EXPECT_FALSE(options.DisplayInstalled) << "a key with no text is not Yes";
    EXPECT_FALSE(options.ConfirmRemove);
}

TEST(ReadOptions, TheKeysAreReadFromTheGeneralSectionOnly)
{
    CMemoryProfile profile;
    profile.values = {{"Options/DisplayMissing", "No"}, {"Options/DisplayInList", "2"},
                      {"General/DisplayInList", "1"}};
    COptions options;
    ReadOptions(profile, options);
    EXPECT_TRUE(options.DisplayMissing);
    EXPECT_EQ(LabelClsid, options.DisplayInList);
}

TEST(ReadOptions, ALabelNumberOutsideTheListIsKeptAsRead)
{
    CMemoryProfile profile;
    profile.values = {{"General/DisplayInList", "7"}};
    COptions options;
    ReadOptions(profile, options);
    EXPECT_EQ(7, options.DisplayInList);
}

TEST(WriteOptions, WritesAllFourKeysAsYesNoAndADecimalNumber)
{
    CMemoryProfile profile;
    COptions options;
    options.DisplayInstalled = false;
    options.DisplayInList = LabelFileLocation;
    WriteOptions(profile, options);
    EXPECT_EQ("General/DisplayMissing=Yes\n"
              "General/DisplayInstalled=No\n"
              "General/ConfirmRemove=Yes\n"
              "General/DisplayInList=2\n",
              profile.writes);
    EXPECT_EQ("missing confirm label " + std::to_string(LabelFileLocation), ReadBack(profile));
}

TEST(WriteOptions, NoLabelChosenIsWrittenAsMinusOne)
{
    CMemoryProfile profile;
    COptions options = AllOff();
    options.DisplayInList = -1;
    WriteOptions(profile, options);
    EXPECT_EQ("-1", profile.values["General/DisplayInList"]);
    EXPECT_EQ("No", profile.values["General/ConfirmRemove"]);
}

} // namespace
