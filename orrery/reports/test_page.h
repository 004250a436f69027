// The browser test page: a small HTML page that embeds one ActiveX control
// with an object tag, so that the user sees whether a browser can host it.
#pragma once

#include <string>

namespace orrery {

// The page for a control with this ProgID and CLSID (braces already
// removed), with "\n" line ends; written in text mode they become CR LF.
// Both texts are escaped, so that whatever a registry holds stays text on
// the page: an ordinary ProgID and CLSID come out exactly as they are.
std::string TestPageText(const std::string& progId, const std::string& clsid);

// text with &, <, >, " and ' replaced by character references.
std::string HtmlEscape(const std::string& text);

// The value of the object tag's classid attribute, "clsid:" and the CLSID:
// bare when every character may stand in an unquoted attribute value,
// otherwise escaped between double quotes.
std::string ClassIdAttributeValue(const std::string& clsid);

}  // namespace orrery
