// Settings under Wine: the window placement in scriv32.ini, the screen font
// from the host's Font keys, the string table and the accelerators.
#include "twyndle/app/busy_state.h"
#include "twyndle/app/font_keys.h"
#include "twyndle/app/settings.h"
#include "twyndle/app/tests/win32/app_fixture.h"
#include "twyndle/app/worker_run.h"
#include "twyndle/engine/engine_strings.h"
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

// Watches the main window after every message sent to it: set once the
// window has been visible and not minimised.
struct ShownWatch {
  static HHOOK hook;
  static bool shown_normally;

  static LRESULT CALLBACK after_message(int code, WPARAM wparam, LPARAM lparam) {
    auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    bool main = code == HC_ACTION && app.main_window && sent->hwnd == app.main_window;
    if (main && IsWindowVisible(sent->hwnd) && !IsIconic(sent->hwnd)) shown_normally = true;
    return CallNextHookEx(hook, code, wparam, lparam);
  }
};
HHOOK ShownWatch::hook = nullptr;
bool ShownWatch::shown_normally = false;

// A worker thread that ends without running the compare: the list-only
// run stays at its start (where it would write the list and end the
// program), with its parameters kept here.
RunParameters* held_run = nullptr;
DWORD WINAPI no_compare(void*) { return 0; }
HANDLE held_worker(LPTHREAD_START_ROUTINE, void* parameter) {
  held_run = static_cast<RunParameters*>(parameter);
  DWORD id = 0;
  return CreateThread(nullptr, 0, no_compare, nullptr, 0, &id);
}

TEST_F(Placement, AListOnlyRunNeverShowsItsWindow) {
  ThreadMaker real_thread_maker = make_worker_thread;
  make_worker_thread = held_worker;
  ShownWatch::shown_normally = false;
  ShownWatch::hook = SetWindowsHookExA(WH_CALLWNDPROCRET, ShownWatch::after_message, nullptr, GetCurrentThreadId());
  ASSERT_NE(ShownWatch::hook, nullptr);
  host_.reset(new FakeHost(false));
  StartResult result = start_twyndle(GetModuleHandleA(nullptr), SW_SHOWNORMAL,
                                     {"-sLR", files_.at("list.txt"), files_.path(), files_.path()});
  UnhookWindowsHookEx(ShownWatch::hook);
  make_worker_thread = real_thread_maker;
  ASSERT_TRUE(result.run_loop);
  EXPECT_TRUE(program.busy);
  EXPECT_TRUE(IsIconic(app.main_window));
  EXPECT_FALSE(ShownWatch::shown_normally) << "the window was shown before the list was written";
  delete held_run;
  end_busy();
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

// The engine tags items with the program's string table, and with texts of
// its own where a program carries none (twyndle-compare, the engine's
// tests): both must read the same. The table's other texts are checked where
// they are shown: the busy title, label and Abort button and the German
// buttons in main_window_tests, the German no-change boxes in change_tests,
// the listing header and the German question in command_tests.
TEST(Resources, TheTagsOfTheStringTableAreTheEnginesOwn) {
  for (int32_t id : {string_different_sizes, string_same_size, string_identical}) {
    char text[64] = "";
    ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text), 0) << id;
    ASSERT_NE(engine_string_builtin(id), nullptr) << id;
    EXPECT_STREQ(text, engine_string_builtin(id)) << id;
  }
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
