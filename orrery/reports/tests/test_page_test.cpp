#include "orrery/reports/test_page.h"

#include <gtest/gtest.h>

#include <string>

namespace orrery {
namespace {

TEST(TestPage, AnOrdinaryControlGivesThePageWordForWord)
{
    const std::string expected =
        "<html>\n<head>\n<title>\n"
        "Orrery.Gauge.1 - Preview in Internet Explorer</title></head>\n"
        "<body>\n<p><small><font face=Verdana>\n"
        "Depending on the implementation of <strong>Orrery.Gauge.1</strong> you might see or not "
        "see it.<BR>\n"
        "<strong>Tip</strong>: You can save this page and use it as a starting point for your "
        "Intranet or Internet application.<BR>\n"
        "It contains the Object tag required for ActiveX Controls hosted in Internet "
        "Explorer.<BR><HR><BR></font>\n"
        "<object id=Control1 classid=clsid:00000000-0000-0000-C000-000000000046\n"
        "Width=300\nHeight=100>\n"
        "</object></p></body></html>\n";
    EXPECT_EQ(expected, TestPageText("Orrery.Gauge.1", "00000000-0000-0000-C000-000000000046"));
}

TEST(TestPage, MarkupInAProgIdStaysText)
{
    std::string page = TestPageText("<script>alert('x')</script>&\"", "1234");
    EXPECT_EQ(std::string::npos, page.find("<script>"));
    EXPECT_NE(std::string::npos,
              page.find("<title>\n&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&amp;&quot; - Preview"));
    EXPECT_NE(std::string::npos,
              page.find("<strong>&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;&amp;&quot;</strong>"));
}

TEST(TestPage, ReferencesInTheProgIdAreEscapedNotKept)
{
    EXPECT_EQ("a&amp;amp;b&amp;#60;", HtmlEscape("a&amp;b&#60;"));
    EXPECT_EQ("Plain.Name_1 {x} (y)", HtmlEscape("Plain.Name_1 {x} (y)"));
    EXPECT_EQ("", HtmlEscape(""));
}

TEST(TestPage, AClassIdThatCouldLeaveItsAttributeIsQuotedAndEscaped)
{
    EXPECT_EQ("clsid:0A1B-{x}.y_z", ClassIdAttributeValue("0A1B-{x}.y_z"));
    EXPECT_EQ("\"clsid:1 onload=alert(1)\"", ClassIdAttributeValue("1 onload=alert(1)"));
    EXPECT_EQ("\"clsid:1&quot;&gt;&lt;script&gt;\"", ClassIdAttributeValue("1\"><script>"));
    EXPECT_EQ("\"clsid:a&#39;b&amp;c\"", ClassIdAttributeValue("a'b&c"));
    EXPECT_EQ("\"clsid:tab\there\"", ClassIdAttributeValue("tab\there"));
    EXPECT_EQ("\"clsid:\xC4\"", ClassIdAttributeValue("\xC4"));
    EXPECT_EQ("clsid:", ClassIdAttributeValue(""));

    std::string page = TestPageText("P", "1 onload=alert(1)");
    EXPECT_NE(std::string::npos, page.find("<object id=Control1 classid=\"clsid:1 onload=alert(1)\"\nWidth=300"));
}

}  // namespace
}  // namespace orrery
