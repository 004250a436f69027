// CHyperLink: a static control shown as an underlined link in one of four
// program-wide colours, with a hand cursor and a tooltip naming its target;
// a click opens the target through the shell (Shell().Open). CHyperLinkDL only marks itself visited on a
// click and leaves opening the target to the dialog that owns it.
#ifndef ORRERY_APP_HYPER_LINK_H
#define ORRERY_APP_HYPER_LINK_H

#include "orrery/framework/gdi.h"
#include "orrery/framework/wnd.h"

#include <string>

class CHyperLink : public CWnd {
public:
    struct Colours {
        COLORREF link;
        COLORREF active;
        COLORREF visited;
        COLORREF hover;
    };
    ~CHyperLink() override;
    // Setting the colours changes them for every link.
    static void SetColours(const Colours& colours);
    static const Colours& GetColours();

    // Binds the static control id of parent; hover adds the hover colour.
    bool Attach(HWND parent, UINT id, const std::string& target, bool hover);
    bool IsVisited() const { return m_visited; }
    COLORREF CurrentColour() const;
    HWND GetToolTip() const { return m_toolTip; }
    // Puts the shown tip above the link, wide enough for its whole text.
    void PlaceToolTip();

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void FollowLink();
    void MarkVisited();

private:
    struct TextMetrics {
        int inkWidth;  // from the first letter's start to the last one's ink end
        int height;
        int ascent;    // the baseline, from the top
    };
    // Room below the text for the underline and beside it for the ink.
    static const int kUnderlineGap = 3;
    static const int kToolTipRoom = 8;

    TextMetrics MeasureText(HDC dc) const;
    void OnPaint();
    void OnMouseMove();
    void SizeToText();
    void AddToolTip();

    std::string m_target;
    bool m_hoverStyle = false;
    bool m_hovering = false;
    bool m_visited = false;
    CGdiObject<HFONT> m_font;
    TextMetrics m_measured = {0, 0, 0};
    HWND m_toolTip = nullptr;
};

class CHyperLinkDL : public CHyperLink {
protected:
    void FollowLink() override;
};

// The message shown when the shell cannot open a link, by the system's
// error code for the failed open.
std::string LinkErrorText(DWORD error);

#endif
