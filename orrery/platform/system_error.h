// The system's own wording for an error code, as FormatMessageA gives it:
// the one place orrery asks Windows what an error number means.
#pragma once

#include <string>

namespace orrery {

// The text on one line, without its line end and trailing blanks; empty when
// the system has no text for code.
std::string SystemMessage(unsigned long code);

// The same text, or "Error N" when the system has none.
std::string SystemErrorText(unsigned long code);

}  // namespace orrery
