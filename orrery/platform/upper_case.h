// The in-memory backends compare names as Windows does: ignoring case, by
// their upper-cased forms.
#pragma once

#include <cctype>
#include <string>

namespace orrery {

inline std::string UpperCase(const std::string& text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace orrery
