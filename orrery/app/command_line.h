// The command line as start-up reads it: upper-cased as a whole, then split
// into a two-character switch and the path that follows the separator.
#ifndef ORRERY_APP_COMMAND_LINE_H
#define ORRERY_APP_COMMAND_LINE_H

#include <string>

// The character rules of the ANSI code page: which bytes start a
// double-byte character, and the upper case of a single-byte one.
class CCodePage {
public:
    virtual ~CCodePage() = default;
    virtual bool IsLeadByte(unsigned char byte) const = 0;
    virtual unsigned char UpperCase(unsigned char byte) const = 0;
};

// text upper-cased character by character: single-byte characters take
// their upper case, double-byte characters are kept as they are (their
// second byte may look like a lower-case letter and is not one). A lead
// byte at the very end is kept too.
std::string UpperCaseCommandLine(const std::string& text, const CCodePage& codePage);

struct CCommandLine {
    // The switch, such as "-R": the first two characters; empty when the
    // line holds 3 characters or fewer.
    std::string switchText;
    // Everything from the fourth character on, quotes and blanks included.
    std::string path;
};

// Splits an upper-cased command line.
CCommandLine SplitCommandLine(const std::string& upperCased);

// True for the switches of the one-operation starts: -U, -R, -V and -C.
bool IsOperationSwitch(const std::string& switchText);

#endif
