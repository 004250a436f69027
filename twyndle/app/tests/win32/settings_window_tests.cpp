// Settings under Wine: the window placement in scriv32.ini, the screen font
// from the host's Font keys, the string table and the accelerators.
#include "twyndle/app/app_strings.h"
#include "twyndle/app/font_keys.h"
#include "twyndle/app/settings.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/res/resource.h"

namespace {
class Placement : public AppTest {
 protected:
  WINDOWPLACEMENT placement() const {
    WINDOWPLACEMENT place{};
    place.length = sizeof place;
    GetWindowPlacement(app.main_window, &place);
    return place;
  }
};

TEST_F(Placement, SavedPlacementIsAppliedAndAMinimisedOneShownNormally) {
  set_ini_value("Twyndle", "WinPos", "2,2,0,0,-1,-1,10,10,800,600");
  ASSERT_TRUE(start({}, false, SW_SHOWNORMAL).run_loop);
  WINDOWPLACEMENT place = placement();
  EXPECT_EQ(place.rcNormalPosition.left, 10);
  EXPECT_EQ(place.rcNormalPosition.top, 10);
  EXPECT_EQ(place.rcNormalPosition.right, 800);
  EXPECT_EQ(place.rcNormalPosition.bottom, 600);
  EXPECT_FALSE(IsIconic(app.main_window));
  EXPECT_TRUE(IsWindowVisible(app.main_window));
  EXPECT_FALSE(IsZoomed(app.main_window));
}

TEST_F(Placement, WithoutASavedPlacementTheWindowIsMaximisedAndCloseSavesThat) {
  set_ini_value("Twyndle", "WinPos", "not a placement");
  ASSERT_TRUE(start({}, false, SW_SHOWNORMAL).run_loop);
  EXPECT_TRUE(IsZoomed(app.main_window));
  close_main_window();
  EXPECT_EQ(app.main_window, nullptr);
  std::string saved = ini_value("Twyndle", "WinPos");
  EXPECT_EQ(saved.substr(0, 8), "2,3,0,0,") << saved;
}

TEST_F(Placement, AStartCommandOtherThanNormalWins) {
  set_ini_value("Twyndle", "WinPos", "0,3,0,0,-1,-1,10,10,400,300");
  ASSERT_TRUE(start({}, false, SW_SHOWMINNOACTIVE).run_loop);
  EXPECT_TRUE(IsIconic(app.main_window));
  EXPECT_FALSE(IsZoomed(app.main_window));
}

class ScreenFontKeys : public AppTest {};

TEST_F(ScreenFontKeys, TheHostsFontIsMadeAndHandedToTheTable) {
  set_ini_value("Font", "Height", "-16");
  set_ini_value("Font", "Weight", "700");
  set_ini_value("Font", "Italic", "1");
  set_ini_value("Font", "CharSet", "0");
  set_ini_value("Font", "PitchAndFamily", "49");
  set_ini_value("Font", "FaceName", "Courier New");
  ASSERT_TRUE(start({}).run_loop);
  ASSERT_NE(app.screen_font.font, nullptr);
  LOGFONTA made{};
  ASSERT_TRUE(GetObjectA(app.screen_font.font, sizeof made, &made));
  EXPECT_EQ(made.lfHeight, -16);
  EXPECT_EQ(made.lfWeight, 700);
  EXPECT_EQ(made.lfItalic, 1);
  EXPECT_EQ(made.lfQuality, PROOF_QUALITY);
  EXPECT_EQ(made.lfPitchAndFamily, 49);
  EXPECT_STREQ(made.lfFaceName, "Courier New");
  HDC screen = GetDC(nullptr);
  int per_inch = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(app.screen_font.point_size, MulDiv(16, 72, per_inch));
  if (per_inch == 96) {
    EXPECT_EQ(app.screen_font.point_size, 12);
  }

  files_.write("l.txt", "a\r\n");
  files_.write("r.txt", "b\r\n");
  View* view = view_create(nullptr);
  ColumnProps columns[3] = {};
  TableColumnsQuery query{reinterpret_cast<intptr_t>(view), 0, 3, columns};
  EXPECT_TRUE(SendMessageA(app.main_window, app.table_message, TQ_COLUMNS, reinterpret_cast<LPARAM>(&query)));
  EXPECT_EQ(columns[1].props.font, app.screen_font.font);
  EXPECT_TRUE(columns[1].props.flags & prop_font);
  view_delete(view);
}

TEST_F(ScreenFontKeys, HeightZeroMakesNoFont) {
  set_ini_value("Font", "Height", "0");
  set_ini_value("Font", "FaceName", "Courier New");
  ASSERT_TRUE(start({}).run_loop);
  EXPECT_EQ(app.screen_font.font, nullptr);
}

TEST(PointSize, AgreesWithThePlatformsMulDiv) {
  for (int32_t height = -200; height <= 200; height += 3) {
    for (int32_t per_inch : {72, 96, 120, 144, 600}) {
      ASSERT_EQ(font_point_size(height, per_inch), MulDiv(-height, 72, per_inch)) << height << " " << per_inch;
    }
  }
  for (int32_t denominator : {-7, -2, 2, 7}) {
    for (int32_t number = -20; number <= 20; ++number) {
      ASSERT_EQ(mul_div(number, 3, denominator), MulDiv(number, 3, denominator)) << number << " " << denominator;
    }
  }
}

TEST(Resources, TheStringTableHoldsTheUserTexts) {
  app.instance = GetModuleHandleA(nullptr);
  EXPECT_EQ(load_text(IDS_NO_MORE_CHANGES_DE), "Keine weiteren \xC4nderungen");
  EXPECT_EQ(load_text(IDS_NO_PREVIOUS_CHANGES_DE), "Keine vorhergehenden \xC4nderungen");
  EXPECT_EQ(load_text(IDS_COMPARING), "Comparing: ");
  EXPECT_EQ(load_text(IDS_TO), "To: ");
  EXPECT_EQ(load_text(IDS_PLEASE_WAIT), "Twyndle, Please wait...");
  EXPECT_EQ(load_text(IDS_COMPARING_STATUS), "Comparing...");
  EXPECT_EQ(load_text(IDS_DIFFERENT_SIZES), "different sizes");
  EXPECT_EQ(load_text(IDS_SAME_SIZE), "same size");
  EXPECT_EQ(load_text(IDS_IDENTICAL), "identical");
  EXPECT_EQ(load_text(IDS_ABORT_BUTTON), " Abort ");
}

TEST(Resources, TheAcceleratorsMapTheirKeys) {
  HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), "JuxtaAccel");
  ASSERT_NE(table, nullptr);
  ACCEL keys[8] = {};
  int count = CopyAcceleratorTableA(table, keys, 8);
  ASSERT_EQ(count, 4);
  auto command_of = [&](WORD key, BYTE modifiers) {
    for (int i = 0; i < count; ++i) {
      if (keys[i].key == key && (keys[i].fVirt & (FCONTROL | FSHIFT | FALT)) == modifiers) return keys[i].cmd;
    }
    return WORD(0);
  };
  EXPECT_EQ(command_of('P', FCONTROL), IDM_PRINT);
  EXPECT_EQ(command_of(VK_F12, 0), IDM_SAVE);
  EXPECT_EQ(command_of(VK_F3, 0), IDM_PREVIOUS_CHANGE);
  EXPECT_EQ(command_of(VK_F4, 0), IDM_NEXT_CHANGE);
}
}  // namespace
