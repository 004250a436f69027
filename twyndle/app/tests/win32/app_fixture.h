// The fixture of the in-process window tests: a fake host, recorded message
// boxes, a temporary folder, the ini sections twyndle touches kept as they
// were, and the program started and driven on the test's own thread.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/host_ini.h"
#include "tests/support/temp_folder.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/startup.h"
#include "twyndle/app/tests/win32/fake_host.h"
#include "twyndle/app/tests/win32/message_recorder.h"

using test_support::file_exists;
using test_support::ini_value;
using test_support::read_file;
using test_support::set_ini_value;

// Two texts that differ in one changed line ("two" became "2") and one
// added at the end ("six").
extern const char left_text[];
extern const char right_text[];

class AppTest : public ::testing::Test {
 protected:
  // A saved placement, so that a window started hidden stays hidden: under
  // Wine without a window manager every shown window takes seconds to go.
  void SetUp() override;
  void TearDown() override;

  // Starts twyndle with a host (German when asked) and waits for the run.
  StartResult start(const std::vector<std::string>& args, bool german = false, int show_command = SW_HIDE);
  // Dispatches messages (accelerators too) until the condition holds or
  // the time is up; WM_QUIT is dropped.
  bool pump_until(const std::function<bool()>& condition, DWORD timeout_ms = 15000);
  void pump_for(DWORD ms);
  bool wait_idle() { return pump_until([] { return !program.busy; }); }
  // A key pressed in the table, through the message loop.
  void press(UINT key);
  // A command, as the status bar or an accelerator sends it.
  void command(int id, LPARAM lparam = 0);
  std::string status_text(int identifier) const;
  // Texts of the current View's row: columns 0 to 2 joined with "|".
  std::string row_text(int32_t row) const;
  // Starts on two folders: same.txt identical, sub\differs.txt of different
  // sizes (left_text, right_text), gone.txt only left, new.txt only right.
  void start_on_two_folders();
  // The outline row whose name (column 1) is `name`, or -1.
  int32_t outline_row_named(const std::string& name) const;
  void close_main_window();

  test_support::IniSectionsKept ini_{"Twyndle", "Font"};
  test_support::TempFolder files_;
  MessageRecorder boxes_;
  std::unique_ptr<FakeHost> host_;
};
