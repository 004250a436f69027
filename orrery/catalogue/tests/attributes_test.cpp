#include "orrery/catalogue/attributes.h"
#include "orrery/platform/calendar_time.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orrery {
namespace {

TEST(AttributeTable, HoldsTheNineteenAttributesInOrder)
{
    const char* labels[kAttributeCount] = {
        "ProgID", "Version", "CLSID", "TypeLib Name", "TypeLib", "File Location",
        "Status", "File Size", "Created", "Last Modified", "Accessed",
        "File Description", "Company Name", "File Version", "Internal Name",
        "Legal Copyright", "Original Filename", "Product Name", "Product Version"};
    const char* keys[kAttributeCount] = {
        "ProgID", "Version", nullptr, nullptr, "TypeLib", nullptr, nullptr, nullptr,
        nullptr, nullptr, nullptr, "FileDescription", "CompanyName", "FileVersion",
        "InternalName", "LegalCopyright", "OriginalFilename", "ProductName",
        "ProductVersion"};
    for (int id = 0; id < kAttributeCount; ++id) {
        EXPECT_EQ(id, kAttributeTable[id].id);
        EXPECT_STREQ(labels[id], kAttributeTable[id].label);
        EXPECT_EQ(labels[id], AttributeLabel(id));
        if (keys[id])
            EXPECT_STREQ(keys[id], kAttributeTable[id].key);
        else
            EXPECT_EQ(nullptr, kAttributeTable[id].key) << id;
    }
    EXPECT_EQ("", AttributeLabel(19));
    EXPECT_EQ("", AttributeLabel(-1));
}

TEST(StatusText, TellsMissingUndefinedAndExistingFilesApart)
{
    EXPECT_STREQ("SEVERE WARNING: File does not exist", kStatusMissing);
    EXPECT_STREQ("WARNING: Path Not defined (File should be in system path)", kStatusNoPath);
    EXPECT_STREQ("File Exists", kStatusExists);
    EXPECT_EQ(kStatusMissing, StatusText(false, "C:\\x\\a.dll"));
    EXPECT_EQ(kStatusMissing, StatusText(false, "a.dll"));
    EXPECT_EQ(kStatusNoPath, StatusText(true, "ole32.dll"));
    EXPECT_EQ(kStatusNoPath, StatusText(true, ""));
    EXPECT_EQ(kStatusExists, StatusText(true, "C:\\x\\a.dll"));
}

TEST(FileTexts, SizeInBytesWithoutWrapping)
{
    EXPECT_EQ("0 Bytes", FormatFileSize(0));
    EXPECT_EQ("1234 Bytes", FormatFileSize(1234));
    EXPECT_EQ("3221225472 Bytes", FormatFileSize(3221225472ull)) << "3 GB is not negative";
    EXPECT_EQ("4294967297 Bytes", FormatFileSize(4294967297ull)) << "beyond 4 GB is not cut";
}

TEST(FileTexts, TimesWithTwoDigitYearsAndTheAccessDateOnly)
{
    std::tm time = CalendarTime(2009, 7, 5, 8, 9, 10);
    EXPECT_EQ("07/05/09 08:09:10", FormatDateTime(time));
    EXPECT_EQ("07/05/09", FormatDate(time));
    EXPECT_EQ("12/31/99 23:09:10", FormatDateTime(CalendarTime(1999, 12, 31, 23, 9, 10)));
}

}  // namespace
}  // namespace orrery
