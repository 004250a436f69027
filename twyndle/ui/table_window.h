// The table window, class SCTabDisplay: an owner-driven grid (see
// table_protocol.h for the records it exchanges with its owner).
#pragma once

#include <windows.h>

// Registers the class, the message SCTabMsg and the shared pointers and
// pen, once. True when the class is registered.
bool register_table_class(HINSTANCE instance);

// The registered SCTabMsg (0 before registration).
UINT table_message();

// A visible child table with scroll bars. The owner gets the queries; none
// makes the parent the owner.
HWND create_table_window(HWND parent, int identifier, const RECT& place, HWND owner);
