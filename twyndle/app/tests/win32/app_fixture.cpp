#include "twyndle/app/tests/win32/app_fixture.h"

#include "tests/support/process_windows.h"
#include "twyndle/engine/copy_files.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/ui/status_items.h"

const char left_text[] = "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\n";
const char right_text[] = "one\r\n2\r\nthree\r\nfour\r\nfive\r\nsix\r\n";

namespace {
void reset_app_state() {
  program.current_view = nullptr;
  app.display_mode = mode_empty;
  app.selected_row = -1;
  app.use_german = false;
  app.print_title[0] = '\0';
  app.listing_path[0] = '\0';
  app.screen_font = ScreenFont{};
  app.host = HostLink{};
  program.colour_marks = program.side_by_side = program.only_changes = program.ignore_blanks = 0;
  program.abort_requested = 0;
  copy_settings = CopySettings{copy_from_left | copy_only_source | copy_differing, ""};
}
}  // namespace

void AppTest::SetUp() {
  set_ini_value("Twyndle", "WinPos", "0,1,0,0,-1,-1,20,20,820,620");
}

void AppTest::TearDown() {
  boxes_.release();
  wait_idle();
  if (app.main_window) DestroyWindow(app.main_window);
  pump_for(20);
  host_.reset();
  reset_app_state();
}

StartResult AppTest::start(const std::vector<std::string>& args, bool german, int show_command) {
  host_.reset(new FakeHost(german));
  StartResult result = start_twyndle(GetModuleHandleA(nullptr), show_command, args);
  wait_idle();
  return result;
}

bool AppTest::pump_until(const std::function<bool()>& condition, DWORD timeout_ms) {
  return test_support::pump_until(condition, timeout_ms, dispatch_message);
}

void AppTest::pump_for(DWORD ms) {
  DWORD start = GetTickCount();
  pump_until([&] { return GetTickCount() - start >= ms; }, ms + 1000);
}

void AppTest::press(UINT key) {
  PostMessageA(app.table, WM_KEYDOWN, key, 0);
  pump_for(30);
}

void AppTest::command(int id, LPARAM lparam) {
  SendMessageA(app.main_window, WM_COMMAND, MAKEWPARAM(id, 0x202), lparam);
}

std::string AppTest::status_text(int identifier) const {
  auto* items = reinterpret_cast<StatusItemList*>(GetWindowLongPtrA(app.status_bar, 0));
  for (int32_t i = 0; items && i < items->count; ++i) {
    if (items->items[i].identifier == identifier) return items->items[i].text;
  }
  return "<no item " + std::to_string(identifier) + ">";
}

std::string AppTest::row_text(int32_t row) const {
  std::string text;
  for (int32_t column = 0; column < 3; ++column) {
    const char* cell = view_cell_text(program.current_view, row, column);
    if (column > 0) text += "|";
    text += cell ? cell : "";
  }
  return text;
}

void AppTest::start_on_two_folders() {
  files_.write("left\\same.txt", "same\r\n");
  files_.write("right\\same.txt", "same\r\n");
  files_.write("left\\sub\\differs.txt", left_text);
  files_.write("right\\sub\\differs.txt", right_text);
  files_.write("left\\gone.txt", "gone\r\n");
  files_.write("right\\new.txt", "new\r\n");
  ASSERT_TRUE(start({files_.at("left"), files_.at("right")}).run_loop);
}

int32_t AppTest::outline_row_named(const std::string& name) const {
  for (int32_t row = 0; row < view_row_count(program.current_view); ++row) {
    const char* text = view_cell_text(program.current_view, row, 1);
    if (text && name == text) return row;
  }
  return -1;
}

void AppTest::close_main_window() {
  SendMessageA(app.main_window, WM_CLOSE, 0, 0);
  pump_for(20);
}
