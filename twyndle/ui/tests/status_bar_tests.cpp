// The "gdstatusclass" window: layout from its items, texts set by message,
// and a button followed by the mouse from press to release.
#include "twyndle/ui/status_bar.h"
#include "twyndle/ui/tests/owner_window.h"

#include <gtest/gtest.h>

namespace {

constexpr int bar_width = 640;

class StatusBarTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { register_test_classes(); }

  StatusBarTest() : owner(make_grid_owner(0, 0)), frame(owner) {
    StatusItemList* list = create_status_items(7);
    set_status_item(list, 0, status_label, 0x54, 552, 14, nullptr);
    set_status_item(list, 1, status_button, 0x19, 182, 8, "(F4) Next-> ");
    set_status_item(list, 2, status_button, 0x19, 195, 8, " <-Prev (F3)");
    set_status_item(list, 3, status_button, 0x19, 113, 8, "Print (^p)");
    set_status_item(list, 4, status_button, 0x19, 551, 8, "");
    set_status_item(list, 5, status_button, 0x19, 122, 8, "Save");
    height = status_height(list);
    frame.make_status_bar(list, bar_width, height);
    UpdateWindow(frame.status);
  }

  StatusItemList* items() const {
    return reinterpret_cast<StatusItemList*>(GetWindowLongPtrA(frame.status, 0));
  }
  const StatusItem& item(int index) const { return items()->items[index]; }

  void mouse(UINT message, int x, int y) {
    SendMessageA(frame.status, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                 MAKELPARAM(x, y));
  }

  static int centre_x(const StatusItem& item) { return (item.rect.left + item.rect.right) / 2; }
  static int centre_y(const StatusItem& item) { return (item.rect.top + item.rect.bottom) / 2; }

  GridOwner owner;
  OwnerWindow frame;
  int height = 0;
};

TEST_F(StatusBarTest, HeightAndLayoutFollowTheSystemFont) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, GetStockObject(SYSTEM_FONT));
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SIZE save{0, 0};
  GetTextExtentPoint32A(screen, "Save", 4, &save);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  int line = metrics.tmHeight + metrics.tmExternalLeading;
  EXPECT_EQ(height, line + 6 + 4);
  EXPECT_EQ(item(0).rect.right - item(0).rect.left, 14 * metrics.tmAveCharWidth + 4);
  EXPECT_EQ(item(1).rect.right, bar_width - metrics.tmAveCharWidth / 2);
  EXPECT_EQ(item(5).rect.right, item(3).rect.left - 1);  // the empty exit button takes no room
  EXPECT_EQ(item(5).rect.right - item(5).rect.left, save.cx + 6);
  EXPECT_EQ(item(1).rect.top, (height - (line + 6)) / 2);
}

TEST_F(StatusBarTest, PressMoveOutMoveBackAndReleaseClicksTheButton) {
  const StatusItem& next = item(1);
  mouse(WM_LBUTTONDOWN, centre_x(next), centre_y(next));
  EXPECT_EQ(GetCapture(), frame.status);
  EXPECT_EQ(items()->pressed, 1);
  EXPECT_TRUE(items()->shown_pressed);
  mouse(WM_MOUSEMOVE, centre_x(next), next.rect.bottom + 5);
  EXPECT_FALSE(items()->shown_pressed);
  mouse(WM_MOUSEMOVE, centre_x(next) + 3, centre_y(next));
  EXPECT_TRUE(items()->shown_pressed);
  mouse(WM_LBUTTONUP, centre_x(next) + 3, centre_y(next));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(items()->pressed, -1);
  ASSERT_EQ(frame.commands.size(), 1u);
  EXPECT_EQ(LOWORD(frame.commands[0]), 182);
  EXPECT_EQ(HIWORD(frame.commands[0]), 0x202);
  EXPECT_EQ(frame.command_senders[0], reinterpret_cast<LPARAM>(frame.status));
}

TEST_F(StatusBarTest, ReleasingOutsideTheButtonOrPressingALabelSendsNothing) {
  const StatusItem& print = item(3);
  mouse(WM_LBUTTONDOWN, centre_x(print), centre_y(print));
  mouse(WM_MOUSEMOVE, print.rect.right + 30, centre_y(print));
  mouse(WM_LBUTTONUP, print.rect.right + 30, centre_y(print));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(items()->shown_pressed);
  mouse(WM_LBUTTONDOWN, centre_x(item(0)), centre_y(item(0)));
  EXPECT_EQ(items()->pressed, -1);
  mouse(WM_LBUTTONUP, centre_x(item(0)), centre_y(item(0)));
  EXPECT_TRUE(frame.commands.empty());
}

TEST_F(StatusBarTest, SettingATextLaysOutFittedItemsAgain) {
  int save_left = item(5).rect.left;
  SendMessageA(frame.status, SM_SETTEXT, 551, reinterpret_cast<LPARAM>("Exit"));
  EXPECT_STREQ(item(4).text, "Exit");
  EXPECT_FALSE(status_rect_empty(item(4).rect));
  EXPECT_LT(item(5).rect.left, save_left);
  SendMessageA(frame.status, SM_SETTEXT, 122, 0);
  EXPECT_STREQ(item(5).text, "");
  EXPECT_TRUE(status_rect_empty(item(5).rect));
}

}  // namespace
