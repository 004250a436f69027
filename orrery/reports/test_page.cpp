#include "orrery/reports/test_page.h"

#include <cctype>

namespace orrery {

std::string HtmlEscape(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
            break;
        }
    }
    return escaped;
}

namespace {

// Letters, digits and the punctuation of a CLSID: nothing that could end an
// unquoted attribute value or start a character reference.
bool FitsUnquoted(const std::string& text)
{
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || !(std::isalnum(byte) || c == '-' || c == '{' || c == '}' || c == '.' || c == '_'))
            return false;
    }
    return true;
}

}  // namespace

std::string ClassIdAttributeValue(const std::string& clsid)
{
    std::string value = "clsid:" + clsid;
    if (FitsUnquoted(clsid))
        return value;
    return "\"" + HtmlEscape(value) + "\"";
}

std::string TestPageText(const std::string& progId, const std::string& clsid)
{
    std::string name = HtmlEscape(progId);
    std::string page;
    page += "<html>\n<head>\n<title>\n";
    page += name + " - Preview in Internet Explorer</title></head>\n";
    page += "<body>\n<p><small><font face=Verdana>\n";
    page += "Depending on the implementation of <strong>" + name +
            "</strong> you might see or not see it.<BR>\n";
    page += "<strong>Tip</strong>: You can save this page and use it as a starting point for your "
            "Intranet or Internet application.<BR>\n";
    page += "It contains the Object tag required for ActiveX Controls hosted in Internet "
            "Explorer.<BR><HR><BR></font>\n";
    page += "<object id=Control1 classid=" + ClassIdAttributeValue(clsid) + "\n";
    page += "Width=300\nHeight=100>\n";
    page += "</object></p></body></html>\n";
    return page;
}

}  // namespace orrery
