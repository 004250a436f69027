// The texts a report is made of: values made safe for an HTML page or for a
// comma-delimited line, and the address of the header picture.
#pragma once

#include <string>

namespace orrery {

// Text as the content of an HTML element: "&", "<" and ">" become entities,
// so a value can never open markup; every other byte, quotes and apostrophes
// included, is written as it is.
std::string HtmlText(const std::string& text);

// Text inside a quoted HTML attribute value: as HtmlText, and both kinds of
// quote become entities too.
std::string HtmlAttribute(const std::string& text);

// One field of a comma-delimited line. A field holding a comma, a double
// quote, a carriage return or a line feed is put in double quotes with its
// inner quotes doubled, as spreadsheets read it; any other field is written
// as it is.
std::string CsvField(const std::string& text);

// The address of orrery.jpg in directory, as the report's header names it:
// "file://" + directory + "/orrery.jpg". The characters an address reads
// specially ("%", "#", "?") are percent-encoded; everything else is kept.
std::string PictureAddress(const std::string& directory);

}  // namespace orrery
