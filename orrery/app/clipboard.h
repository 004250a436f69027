// Putting a text on the clipboard as plain text.
#ifndef ORRERY_APP_CLIPBOARD_H
#define ORRERY_APP_CLIPBOARD_H

#include <string>

// Returns false when the clipboard could not be opened or the memory not had;
// the clipboard is then left as it was.
bool CopyTextToClipboard(const std::string& text);

#endif
