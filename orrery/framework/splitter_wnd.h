// CSplitterWnd: a static grid of panes (rows x columns) separated by bars that
// the user drags to share the space. Every pane is a child window with the id
// IdFromRowCol(row, col); panes may be further splitters. The last row and
// column take the space the others leave.
#ifndef ORRERY_FRAMEWORK_SPLITTER_WND_H
#define ORRERY_FRAMEWORK_SPLITTER_WND_H

#include "orrery/framework/wnd.h"

#include <vector>

class CSplitterWnd : public CWnd {
public:
    bool CreateStatic(HWND parent, int rows, int cols, UINT id, bool border);
    UINT IdFromRowCol(int row, int col) const;
    HWND GetPane(int row, int col) const { return GetDlgItem(IdFromRowCol(row, col)); }
    // The wished size of a pane; the layout keeps it while space allows. The
    // panes before a pane with a minimum give way first when space runs
    // short, down to nothing, so that it keeps its minimum while it can.
    void SetColumnInfo(int col, int ideal, int minimum = 0);
    void SetRowInfo(int row, int ideal, int minimum = 0);
    // The pane sizes of the last layout.
    int GetColumnWidth(int col) const;
    int GetRowHeight(int row) const;
    void RecalcLayout();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    struct Track {
        std::vector<int> ideal;
        std::vector<int> minimum;
        std::vector<int> actual;
    };
    static void Distribute(Track& track, int total);
    static int HitTrackBar(const Track& track, int position);
    int HitBar(POINT point, bool& vertical) const;
    void OnPaint();
    void OnLButtonDown(POINT point);
    void OnMouseMove(POINT point);
    bool OnSetCursor();
    RECT PaneRect(int row, int col) const;

    Track m_cols;
    Track m_rows;
    int m_dragBar = -1;
    bool m_dragVertical = false;
};

#endif
