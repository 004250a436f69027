#include "orrery/catalogue/registry_values.h"
#include "orrery/platform/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orrery {
namespace {

using namespace std::string_literals;

const char kKey[] = "CLSID\\{V1}\\InprocServer32";

std::string Dword(unsigned long value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(ValueDataText, ShowsEachTypeAsTheListDoes)
{
    EXPECT_EQ("C:\\x.dll", ValueDataText(kRegSz, "C:\\x.dll\0"s));
    EXPECT_EQ("before", ValueDataText(kRegSz, "before\0after\0"s)) << "up to the first zero";
    EXPECT_EQ("unterminated", ValueDataText(kRegSz, "unterminated"));
    EXPECT_EQ("%SystemRoot%\\x.dll", ValueDataText(kRegExpandSz, "%SystemRoot%\\x.dll\0"s));
    EXPECT_EQ("first", ValueDataText(kRegMultiSz, "first\0second\0\0"s));
    EXPECT_EQ("", ValueDataText(kRegSz, ""));

    EXPECT_EQ("A 0 ", ValueDataText(kRegBinary, "\x0A\x00"s));
    EXPECT_EQ("FF 10 1 ", ValueDataText(kRegBinary, "\xFF\x10\x01"s));
    EXPECT_EQ("", ValueDataText(kRegBinary, ""));

    EXPECT_EQ("FF (255)", ValueDataText(kRegDword, Dword(255)));
    EXPECT_EQ("0 (0)", ValueDataText(kRegDword, Dword(0)));
    EXPECT_EQ("FFFFFFFF (-1)", ValueDataText(kRegDword, Dword(0xFFFFFFFF)));
    EXPECT_EQ("80000000 (-2147483648)", ValueDataText(kRegDword, Dword(0x80000000)));
    EXPECT_EQ("1234 (4660)", ValueDataText(kRegDword, "\x34\x12"s)) << "a short DWORD";

    for (unsigned long type : {0ul, 5ul, 6ul, 8ul, 9ul, 10ul, 11ul, 0x12345ul})
        EXPECT_EQ(kUnsupportedValueText, ValueDataText(type, "\x01\x02"s)) << type;
    EXPECT_STREQ("Data type not supported", kUnsupportedValueText);
}

class RegistryValuesTest : public ::testing::Test {
protected:
    void SetUp() override { registry.AddKey(kKey); }

    std::vector<CRegistryValue> List(const std::string& path = kKey)
    {
        std::vector<CRegistryValue> values;
        listed = ListKeyValues(registry, path, &values);
        return values;
    }

    static std::vector<std::string> Names(const std::vector<CRegistryValue>& values)
    {
        std::vector<std::string> names;
        for (const CRegistryValue& value : values)
            names.push_back(value.name);
        return names;
    }

    std::string Bytes(const std::string& name, unsigned long* type = nullptr)
    {
        unsigned long found = kRegNone;
        std::string bytes;
        EXPECT_TRUE(registry.GetValue(kKey, name, &found, &bytes)) << name;
        if (type)
            *type = found;
        return bytes;
    }

    CMemoryRegistry registry;
    bool listed = false;
};

TEST_F(RegistryValuesTest, ListsEveryValueSortedByNameWithItsTextAndType)
{
    registry.SetString(kKey, "ThreadingModel", "Apartment");
    registry.SetDword(kKey, "flags", 255);
    registry.SetString(kKey, "", "C:\\x.dll");
    registry.SetRaw(kKey, "Blob", kRegBinary, "\x0A\x00"s);
    registry.SetRaw(kKey, "alpha", kRegMultiSz, "one\0two\0\0"s);
    registry.SetRaw(kKey, "Odd", 0x4242, "??");
    registry.SetString(kKey, "Path", "%windir%", kRegExpandSz);

    std::vector<CRegistryValue> values = List();
    EXPECT_TRUE(listed);
    ASSERT_EQ((std::vector<std::string>{"(Default)", "alpha", "Blob", "flags", "Odd", "Path",
                                        "ThreadingModel"}),
              Names(values));
    struct Expected {
        unsigned long type;
        const char* text;
    };
    const Expected expected[] = {
        {kRegSz, "C:\\x.dll"},    {kRegMultiSz, "one"},
        {kRegBinary, "A 0 "},      {kRegDword, "FF (255)"},
        {0x4242, kUnsupportedValueText},
        {kRegExpandSz, "%windir%"}, {kRegSz, "Apartment"},
    };
    for (size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(expected[i].type, values[i].type) << values[i].name;
        EXPECT_EQ(expected[i].text, values[i].text) << values[i].name;
    }
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

TEST_F(RegistryValuesTest, AKeyThatCannotBeOpenedListsNothing)
{
    registry.SetString(kKey, "", "x");
    EXPECT_TRUE(List("CLSID\\{V1}").empty());
    EXPECT_TRUE(listed) << "a key without values";
    EXPECT_TRUE(List("CLSID\\{missing}").empty());
    EXPECT_FALSE(listed);

    ASSERT_TRUE(registry.RemoveKey("CLSID\\{V1}"));
    EXPECT_TRUE(List().empty()) << "a key deleted while it is shown";
    EXPECT_FALSE(listed);
}

TEST_F(RegistryValuesTest, LongNamesAndDataAreListedWholeAndDoNotHideTheValuesAfterThem)
{
    std::string longName(2000, 'n');
    std::string longText(5000, 't');
    std::string blob(64 * 1024, '\0');
    for (size_t i = 0; i < blob.size(); ++i)
        blob[i] = static_cast<char>(i * 7);
    registry.SetString(kKey, "a-first", "1");
    registry.SetString(kKey, longName, "named");
    registry.SetString(kKey, "b-long-data", longText);
    registry.SetRaw(kKey, "c-blob", kRegBinary, blob);
    registry.SetString(kKey, "d-last", std::string(1023, 'x'));

    std::vector<CRegistryValue> values = List();
    ASSERT_EQ((std::vector<std::string>{"a-first", "b-long-data", "c-blob", "d-last", longName}),
              Names(values));
    EXPECT_EQ(longText, values[1].text);
    EXPECT_EQ(std::string(1023, 'x'), values[3].text);
    EXPECT_EQ("named", values[4].text);
    // 64 KB of bytes: every one of them shown, the first few as the format says.
    EXPECT_EQ("0 7 E 15 1C ", values[2].text.substr(0, 12));
    size_t shown = 0;
    for (char c : values[2].text)
        shown += c == ' ';
    EXPECT_EQ(blob.size(), shown);
}

TEST(ReplaceFirstString, KeepsTheFurtherStringsAndEndsWithTwoZeros)
{
    EXPECT_EQ("new\0two\0three\0\0"s, ReplaceFirstString("one\0two\0three\0\0"s, "new"));
    EXPECT_EQ("new\0\0"s, ReplaceFirstString("one\0\0"s, "new"));
    EXPECT_EQ("new\0two\0\0"s, ReplaceFirstString("one\0two"s, "new")) << "terminators missing";
    EXPECT_EQ("new\0\0"s, ReplaceFirstString("", "new")) << "no strings yet";
    EXPECT_EQ("new\0\0"s, ReplaceFirstString("\0hidden\0\0"s, "new"))
        << "what follows the ending empty string is no part of the value";
    EXPECT_EQ("two\0\0"s, ReplaceFirstString("one\0two\0\0"s, ""))
        << "an empty string would end the list and hide the rest";
    EXPECT_EQ("\0\0"s, ReplaceFirstString("one\0\0"s, ""));
}

TEST_F(RegistryValuesTest, WritesStringsWithTheirTypeAndOneTerminatingZero)
{
    registry.SetString(kKey, "", "old default");
    registry.SetString(kKey, "Path", "%old%", kRegExpandSz);
    EXPECT_EQ(kRegSuccess, WriteStringValue(registry, kKey, "", kRegSz, "C:\\new.dll"));
    EXPECT_EQ(kRegSuccess, WriteStringValue(registry, kKey, "Path", kRegExpandSz, "%new%"));
    unsigned long type = kRegNone;
    EXPECT_EQ("C:\\new.dll\0"s, Bytes("", &type));
    EXPECT_EQ(kRegSz, type);
    EXPECT_EQ("%new%\0"s, Bytes("Path", &type));
    EXPECT_EQ(kRegExpandSz, type);
    EXPECT_EQ("C:\\new.dll", List()[0].text);
    EXPECT_EQ(0u, registry.OpenKeyCount());
}

// A value may really be named "(Default)": it is listed under that name
// beside the key's unnamed value, after it, and each is written as itself.
TEST_F(RegistryValuesTest, AValueNamedLikeTheDefaultStaysApartFromTheUnnamedValue)
{
    registry.SetString(kKey, "(Default)", "named");
    registry.SetString(kKey, "", "unnamed");
    std::vector<CRegistryValue> values = List();
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ("(Default)", values[0].name);
    EXPECT_EQ("", values[0].storedName) << "the unnamed value comes first";
    EXPECT_EQ("unnamed", values[0].text);
    EXPECT_EQ("(Default)", values[1].name);
    EXPECT_EQ("(Default)", values[1].storedName);
    EXPECT_EQ("named", values[1].text);

    EXPECT_EQ(kRegSuccess, WriteStringValue(registry, kKey, values[1].storedName, kRegSz, "named, edited"));
    EXPECT_EQ("unnamed\0"s, Bytes("")) << "the key's default value is not touched";
    EXPECT_EQ("named, edited\0"s, Bytes("(Default)"));
    EXPECT_EQ(kRegSuccess, WriteStringValue(registry, kKey, values[0].storedName, kRegSz, "unnamed, edited"));
    EXPECT_EQ("unnamed, edited\0"s, Bytes(""));
    EXPECT_EQ("named, edited\0"s, Bytes("(Default)"));
}

TEST_F(RegistryValuesTest, AnEditedMultiStringKeepsItsFurtherStrings)
{
    registry.SetRaw(kKey, "Names", kRegMultiSz, "one\0two\0three\0\0"s);
    ASSERT_EQ("one", List()[0].text);
    EXPECT_EQ(kRegSuccess, WriteStringValue(registry, kKey, "Names", kRegMultiSz, "uno"));
    unsigned long type = kRegNone;
    EXPECT_EQ("uno\0two\0three\0\0"s, Bytes("Names", &type));
    EXPECT_EQ(kRegMultiSz, type);
    EXPECT_EQ("uno", List()[0].text);
}

TEST_F(RegistryValuesTest, AFailedWriteIsReportedAndChangesNothing)
{
    registry.SetString(kKey, "", "kept");
    registry.SetRaw(kKey, "Names", kRegMultiSz, "one\0two\0\0"s);
    registry.RefuseChanges("CLSID");
    EXPECT_EQ(kRegAccessDenied, WriteStringValue(registry, kKey, "", kRegSz, "lost"));
    EXPECT_EQ(kRegAccessDenied, WriteStringValue(registry, kKey, "Names", kRegMultiSz, "lost"));
    EXPECT_EQ("kept\0"s, Bytes(""));
    EXPECT_EQ("one\0two\0\0"s, Bytes("Names"));
    EXPECT_EQ("kept", List()[0].text) << "reading stays allowed";
    EXPECT_EQ(0u, registry.OpenKeyCount());

    EXPECT_EQ(kRegFileNotFound,
              WriteStringValue(registry, "CLSID\\{gone}", "", kRegSz, "x"))
        << "a key deleted while it is shown";
    EXPECT_FALSE(registry.HasKey("CLSID\\{gone}")) << "and not made again";
}

}  // namespace
}  // namespace orrery
