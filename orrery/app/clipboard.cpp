#include "orrery/app/clipboard.h"

#include <windows.h>

#include <cstring>

bool CopyTextToClipboard(const std::string& text)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!memory)
        return false;
    void* data = ::GlobalLock(memory);
    if (!data) {
        ::GlobalFree(memory);
        return false;
    }
    std::memcpy(data, text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(nullptr)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    bool handedOver = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!handedOver)
        ::GlobalFree(memory);
    ::CloseClipboard();
    return handedOver;
}
