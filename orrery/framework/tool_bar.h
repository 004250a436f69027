// CToolBar: a flat toolbar with tooltips, built from a toolbar resource (the
// button ids, 0 for a gap) and the bitmap strip of the same number, in which
// white is transparent. Buttons are greyed by the frame's command routing.
#ifndef ORRERY_FRAMEWORK_TOOL_BAR_H
#define ORRERY_FRAMEWORK_TOOL_BAR_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

class CFrameWnd;

class CToolBar {
public:
    ~CToolBar();
    bool Create(HWND parent, UINT resourceId);
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The button and gap ids, left to right (0 for a gap).
    const std::vector<UINT>& GetItemIds() const { return m_ids; }
    bool IsButtonEnabled(UINT id) const;
    void UpdateButtons(CFrameWnd& frame);

private:
    bool LoadItemIds(UINT resourceId, int& width, int& height);

    HWND m_hWnd = nullptr;
    HIMAGELIST m_images = nullptr;
    std::vector<UINT> m_ids;
};

#endif
