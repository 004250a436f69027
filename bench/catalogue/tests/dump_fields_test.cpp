#include "bench/catalogue/dump_fields.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Splits a dump line back into fields and undoes the escapes, as a reader of
// the format would.
std::vector<std::string> ReadLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\') {
            char next = line[++i];
            fields.back() += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(DumpLine, PlainFieldsStandAsTheyAre)
{
    EXPECT_EQ("0\t{ABC}\tWidget.1\t1\n", DumpLine({"0", "{ABC}", "Widget.1", "1"}));
    EXPECT_EQ("\t\n", DumpLine({"", ""}));
}

TEST(DumpLine, TabsBreaksAndBackslashesKeepOneRecordALine)
{
    const std::vector<std::string> hostile = {"1", "Evil\tProg\nID", "C:\\dir\\a\r.dll", "\\t"};
    std::string line = DumpLine(hostile);
    EXPECT_EQ("1\tEvil\\tProg\\nID\tC:\\\\dir\\\\a\\r.dll\t\\\\t\n", line);
    EXPECT_EQ(line.size() - 1, line.find('\n')) << "the only line feed ends the line";
    EXPECT_EQ(hostile, ReadLine(line)) << "the fields read back exactly";
}

}  // namespace
