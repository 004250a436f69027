// The About box as the user sees it on the screen: over the middle of the
// main window, its link underlined to the end, the link's tip whole and
// above the link.
#include "orrery/app/about_dlg.h"
#include "orrery/app/tests/box_answerer.h"
#include "orrery/app/tests/ui_fixture.h"

#include <algorithm>
#include <vector>

namespace {

// The screen's pixels over a window, row by row.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
};

Picture TakePicture(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(::GetPixel(screen, rect.left + x, rect.top + y));
    }
    ::ReleaseDC(nullptr, screen);
    return picture;
}

// The right-most column of row y (or of every row but y, when others)
// that differs from the background; -1 when there is none.
int RightmostInk(const Picture& picture, COLORREF background, int y, bool others)
{
    int rightmost = -1;
    for (int row = 0; row < picture.height; ++row) {
        if ((row == y) == others)
            continue;
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, row) != background)
                rightmost = std::max(rightmost, x);
        }
    }
    return rightmost;
}

void WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < timeoutMs) {
        PumpMessages();
        ::Sleep(20);
    }
}

class AboutLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_about.Create(nullptr));
        ::ShowWindow(m_about.GetSafeHwnd(), SW_SHOW);
        ::UpdateWindow(m_about.GetSafeHwnd());
        PumpMessages();
        m_link = m_about.GetDlgItem(IDC_ABOUT_LINK);
    }
    void TearDown() override { m_about.DestroyWindow(); }

    CAboutDlg m_about;
    HWND m_link = nullptr;
};

TEST_F(AboutLinkTest, TheUnderlineReachesTheEndOfTheLastLetter)
{
    Picture link = TakePicture(m_link);
    COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    // The underline is the row with the most ink.
    int underline = 0;
    int most = 0;
    for (int y = 0; y < link.height; ++y) {
        int ink = 0;
        for (int x = 0; x < link.width; ++x)
            ink += link.At(x, y) != background;
        if (ink > most) {
            most = ink;
            underline = y;
        }
    }
    int textEnd = RightmostInk(link, background, underline, true);
    ASSERT_GT(textEnd, 0) << "the link's text is drawn";
    EXPECT_GE(RightmostInk(link, background, underline, false), textEnd);
    EXPECT_LT(textEnd, link.width - 1) << "the label is wide enough for its last letter";
}

TEST_F(AboutLinkTest, TheTipShowsTheWholeAddressAboveTheLink)
{
    RECT link = {};
    ::GetWindowRect(m_link, &link);
    HWND tip = m_about.GetLink().GetToolTip();
    ASSERT_NE(nullptr, tip);
    ::SetCursorPos(link.left + 2, (link.top + link.bottom) / 2);
    ::SetCursorPos(link.left + 4, (link.top + link.bottom) / 2);
    WaitUntil([tip] { return ::IsWindowVisible(tip) != FALSE; }, 5000);
    ASSERT_TRUE(::IsWindowVisible(tip)) << "the tip shows while the pointer rests on the link";
    PumpMessages();
    ::UpdateWindow(tip);

    RECT shown = {};
    ::GetWindowRect(tip, &shown);
    EXPECT_LE(shown.bottom, link.top) << "above the link";
    RECT ok = {};
    ::GetWindowRect(m_about.GetDlgItem(IDOK), &ok);
    RECT overlap = {};
    EXPECT_FALSE(::IntersectRect(&overlap, &shown, &ok)) << "the OK button stays free";

    // Inside its border the tip shows the address as wide as the link shows
    // it (the same text in the same font), clear of the border: not cut.
    Picture picture = TakePicture(tip);
    COLORREF background = picture.At(picture.width / 2, 2);
    int firstInk = picture.width;
    int lastInk = -1;
    for (int x = 2; x < picture.width - 2; ++x) {
        for (int y = 2; y < picture.height - 2; ++y) {
            if (picture.At(x, y) != background) {
                firstInk = std::min(firstInk, x);
                lastInk = x;
            }
        }
    }
    Picture label = TakePicture(m_link);
    int labelInk = RightmostInk(label, ::GetSysColor(COLOR_BTNFACE), -1, true);
    EXPECT_GE(lastInk - firstInk + 1, labelInk - 1) << "the whole address";
    EXPECT_LT(lastInk, picture.width - 3) << "the last letter is clear of the border";
    ::SetCursorPos(0, 0);
}

class AboutCommandTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow();
    }
};

RECT BoxRectangle(std::vector<int> answers, const std::function<void()>& open)
{
    RECT box = {};
    CBoxAnswerer answerer(::GetCurrentProcessId(), answers);
    answerer.PrepareEachBox([&box](HWND window) { ::GetWindowRect(window, &box); });
    open();
    return box;
}

TEST_F(AboutCommandTest, TheAboutBoxOpensOverTheMiddleOfTheMainWindow)
{
    RECT about = BoxRectangle({IDOK}, [this] { Frame().RouteCmdMsg(ID_APP_ABOUT); });
    RECT frame = {};
    ::GetWindowRect(Frame().GetSafeHwnd(), &frame);
    ASSERT_GT(about.right, about.left);
    EXPECT_NEAR((frame.left + frame.right) / 2, (about.left + about.right) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, (about.top + about.bottom) / 2, 1);
}

TEST(ModalDialog, WithoutAnOwnerOpensInTheMiddleOfTheScreen)
{
    RECT area = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    CAboutDlg about;
    RECT box = BoxRectangle({IDOK}, [&about] { about.DoModal(nullptr); });
    ASSERT_GT(box.right, box.left);
    EXPECT_NEAR((area.left + area.right) / 2, (box.left + box.right) / 2, 1);
    EXPECT_NEAR((area.top + area.bottom) / 2, (box.top + box.bottom) / 2, 1);
}

} // namespace
