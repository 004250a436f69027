// CStatusBar: the frame's bottom line of panes. Pane 0 carries messages and
// takes whatever width is left; the others have fixed widths, and panes whose
// id is a key indicator (Caps, Num, Scroll Lock) show their text while the key
// is toggled on.
#ifndef ORRERY_FRAMEWORK_STATUS_BAR_H
#define ORRERY_FRAMEWORK_STATUS_BAR_H

#include <windows.h>

#include <string>
#include <vector>

class CStatusBar {
public:
    bool Create(HWND parent);
    HWND GetSafeHwnd() const { return m_hWnd; }
    // One pane per id; ID_SEPARATOR panes start with no text and width 0.
    void SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, int width);
    void SetPaneText(int index, const std::string& text);
    std::string GetPaneText(int index) const;
    int GetPaneCount() const { return static_cast<int>(m_panes.size()); }
    int GetPaneWidth(int index) const;
    void UpdateIndicators();
    // Places the panes over the bar's current width.
    void Layout();
    // The width a pane needs to show text whole, in the bar's font.
    int TextWidth(const std::string& text) const;

private:
    struct Pane {
        UINT id;
        int width;
        std::string text;
    };
    HWND m_hWnd = nullptr;
    std::vector<Pane> m_panes;
};

#endif
