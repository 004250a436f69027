// How the main window's panes look after start-up and in a short window:
// lists painted whole after their first layout, and the tabbed lower pane
// kept in sight when the window gets low.
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"

namespace {

// The number of screen pixels in a band below a list's header that are not
// the list's background. The screen is read as shown.
int MarksBelowHeader(HWND list, int bandHeight)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    RECT headerRect = {};
    ::GetWindowRect(header, &headerRect);
    RECT listRect = {};
    ::GetWindowRect(list, &listRect);
    COLORREF background = static_cast<COLORREF>(::SendMessageA(list, LVM_GETBKCOLOR, 0, 0));
    HDC screen = ::GetDC(nullptr);
    int marks = 0;
    for (int y = headerRect.bottom; y < headerRect.bottom + bandHeight; ++y) {
        for (int x = listRect.left + 2; x < listRect.right - 2; ++x)
            marks += ::GetPixel(screen, x, y) != background;
    }
    ::ReleaseDC(nullptr, screen);
    return marks;
}

// The marks below the header once what the list painted has reached the
// screen. Wine hands a window's drawing to the display on its own time, which
// under load comes later than any fixed wait; so the band is read again until
// it is clean, for at most five seconds, and a list that stays marked still
// fails.
int SettledMarksBelowHeader(HWND list, int bandHeight)
{
    int marks = 0;
    for (int round = 0; round < 50; ++round) {
        PumpMessages();
        marks = MarksBelowHeader(list, bandHeight);
        if (marks == 0)
            break;
        ::Sleep(100);
    }
    return marks;
}

class FirstPaintTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow();
    }
};

TEST_F(FirstPaintTest, EmptyListsShowNothingBelowTheirHeaders)
{
    ::UpdateWindow(Frame().GetSafeHwnd());
    CTabView& tabs = *Frame().GetTabView();
    EXPECT_EQ(0, SettledMarksBelowHeader(tabs.GetDependenciesPane()->GetAttributeList(), 30));
    EXPECT_EQ(0, SettledMarksBelowHeader(Frame().GetAttributeView()->GetList(), 30));
    tabs.SelectPage(CTabView::PageRegistryEntries);
    ::UpdateWindow(Frame().GetSafeHwnd());
    EXPECT_EQ(0, SettledMarksBelowHeader(tabs.GetRegistryPane()->GetValueList(), 30));
}

class ShortWindowTest : public SampleWindowTest {
protected:
    void SetHeight(int height)
    {
        RECT window = {};
        ::GetWindowRect(Frame().GetSafeHwnd(), &window);
        ::MoveWindow(Frame().GetSafeHwnd(), window.left, window.top, window.right - window.left, height, TRUE);
        PumpMessages();
    }
};

TEST_F(ShortWindowTest, TheLowerPaneShrinksButKeepsItsTabsInSight)
{
    RECT window = {};
    ::GetWindowRect(Frame().GetSafeHwnd(), &window);
    CSplitterWnd& inner = Frame().GetInnerSplitter();
    CTabView& tabs = *Frame().GetTabView();
    for (int height : {700, 560, 480, 400, 330}) {
        SetHeight(height);
        int lower = inner.GetRowHeight(1);
        EXPECT_GE(lower, CSplitterFrame::kTabViewMinimum) << height;
        RECT view = {};
        ::GetClientRect(tabs.GetSafeHwnd(), &view);
        EXPECT_EQ(lower, view.bottom) << height;
        RECT strip = {};
        ::GetWindowRect(tabs.GetTabs(), &strip);
        ::MapWindowPoints(nullptr, tabs.GetSafeHwnd(), reinterpret_cast<POINT*>(&strip), 2);
        EXPECT_EQ(0, strip.top) << height;
        EXPECT_LT(strip.bottom, view.bottom) << "the tabs and some of the page show at " << height;
        EXPECT_GT(controls::WindowHeight(tabs.GetDependenciesPane()->GetSafeHwnd()), 0) << height;
    }
    SetHeight(700);
    int tall = inner.GetRowHeight(0);
    SetHeight(480);
    EXPECT_LT(inner.GetRowHeight(0), tall) << "the attribute list gave way";
    SetHeight(window.bottom - window.top);
    EXPECT_EQ(tall, inner.GetRowHeight(0)) << "and takes its height again";
}

} // namespace
