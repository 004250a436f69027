#include "orrery/reports/report_text.h"

#include <gtest/gtest.h>

namespace orrery {
namespace {

TEST(ReportTextTest, HtmlTextKeepsOrdinaryTextsAndDefusesMarkup)
{
    EXPECT_EQ("Orrery.Gauge.1", HtmlText("Orrery.Gauge.1"));
    EXPECT_EQ("C:\\Program Files\\Tom's \"Toons\"\\toon.ocx",
              HtmlText("C:\\Program Files\\Tom's \"Toons\"\\toon.ocx"));
    EXPECT_EQ("&lt;script&gt;alert(1)&lt;/script&gt;", HtmlText("<script>alert(1)</script>"));
    EXPECT_EQ("AT&amp;T &amp;nbsp", HtmlText("AT&T &nbsp"));
    EXPECT_EQ("", HtmlText(""));
    // Bytes of the ANSI code page pass untouched.
    EXPECT_EQ("Gr\xFC\xDF" "e", HtmlText("Gr\xFC\xDF" "e"));
}

TEST(ReportTextTest, HtmlAttributeAlsoDefusesQuotes)
{
    EXPECT_EQ("C:\\Program Files\\Orrery", HtmlAttribute("C:\\Program Files\\Orrery"));
    EXPECT_EQ("a&quot; onerror=&quot;x&#39;&lt;&amp;&gt;", HtmlAttribute("a\" onerror=\"x'<&>"));
}

TEST(ReportTextTest, CsvFieldQuotesOnlyWhatWouldShiftTheColumns)
{
    EXPECT_EQ("Orrery.Gauge.1", CsvField("Orrery.Gauge.1"));
    EXPECT_EQ("", CsvField(""));
    EXPECT_EQ("Tom's <Toons> & more", CsvField("Tom's <Toons> & more"));
    EXPECT_EQ("\"a,b\"", CsvField("a,b"));
    EXPECT_EQ("\"say \"\"hi\"\"\"", CsvField("say \"hi\""));
    EXPECT_EQ("\"two\nlines\"", CsvField("two\nlines"));
    EXPECT_EQ("\"cr\rhere\"", CsvField("cr\rhere"));
    EXPECT_EQ("\"\"\"\"", CsvField("\""));
}

TEST(ReportTextTest, PictureAddressNamesOrreryJpgInTheDirectory)
{
    EXPECT_EQ("file://C:\\Program Files\\Orrery/orrery.jpg", PictureAddress("C:\\Program Files\\Orrery"));
    EXPECT_EQ("file:///home/me/reports/orrery.jpg", PictureAddress("/home/me/reports"));
    EXPECT_EQ("file://C:\\50%25 %2323 %3F/orrery.jpg", PictureAddress("C:\\50% #23 ?"));
}

}  // namespace
}  // namespace orrery
