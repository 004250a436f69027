#include "orrery/reports/report_text.h"

#include "orrery/reports/test_page.h"

#include <cstdio>

namespace orrery {

std::string HtmlText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c; break;
        }
    }
    return out;
}

std::string HtmlAttribute(const std::string& text)
{
    return HtmlEscape(text);
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string PictureAddress(const std::string& directory)
{
    std::string out = "file://";
    for (char c : directory) {
        if (c == '%' || c == '#' || c == '?') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            out += code;
        } else {
            out += c;
        }
    }
    return out + "/orrery.jpg";
}

}  // namespace orrery
