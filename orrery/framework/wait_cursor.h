// CWaitCursor: shows the hourglass for the lifetime of the object and puts the
// previous cursor back when it goes.
#ifndef ORRERY_FRAMEWORK_WAIT_CURSOR_H
#define ORRERY_FRAMEWORK_WAIT_CURSOR_H

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

#endif
