#include "orrery/app/command_line.h"

std::string UpperCaseCommandLine(const std::string& text, const CCodePage& codePage)
{
    std::string upper;
    upper.reserve(text.size());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (codePage.IsLeadByte(byte) && i + 1 < text.size()) {
            upper += text[i];
            upper += text[++i];
            continue;
        }
        upper += static_cast<char>(codePage.UpperCase(byte));
    }
    return upper;
}

CCommandLine SplitCommandLine(const std::string& upperCased)
{
    CCommandLine line;
    if (upperCased.size() > 3) {
        line.switchText = upperCased.substr(0, 2);
        line.path = upperCased.substr(3);
    }
    return line;
}

bool IsOperationSwitch(const std::string& switchText)
{
    return switchText == "-U" || switchText == "-R" || switchText == "-V" || switchText == "-C";
}
