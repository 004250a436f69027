// The status bar window, class "gdstatusclass": a self-drawn grey strip of
// labels and push buttons (see status_items.h). A click on a button sends
// WM_COMMAND to the parent: the identifier in the low word of wParam, 0x202
// in the high word, the bar as lParam.
#pragma once

#include "twyndle/ui/status_items.h"

#include <windows.h>

constexpr const char* status_class_name = "gdstatusclass";

// wParam = identifier, lParam = text or none: replaces an item's text.
constexpr UINT SM_SETTEXT = WM_USER + 2;

// Registers the class and makes the shared brush, pens and font, once.
bool register_status_class(HINSTANCE instance);

// The bar's height for its items with the system font.
int32_t status_height(const StatusItemList* list);

// A visible child bar that owns `list` from now on (also when it cannot be
// made, in which case the list is freed and none is returned).
HWND create_status_bar(HWND parent, int identifier, const RECT& place, StatusItemList* list);
