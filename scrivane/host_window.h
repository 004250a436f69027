// The main window of scrivane, of class "SCRIV32": the window twyndle looks
// for. It answers twyndle's two registered messages:
//   SCPresent  wParam 0: the window that receives open requests (this one);
//              wParam 1: 1 when started with /german, else 0;
//              any other wParam: 0.
//   EPOpenDoc  lParam: a global atom holding a path, or a path, "/" and a
//              line number. The host owns the atom once it arrives and
//              deletes it after reading it. The result is 1 when the file
//              was shown, else 0.
// Its client area lists the requests received (a double-click opens one
// again); its menu starts twyndle through the Compare dialog and chooses the
// display font, which it keeps in scriv32.ini.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "scrivane/compare_choice.h"
#include "scrivane/open_requests.h"
#include "scrivane/window_thunk.h"

namespace scrivane {

struct HostSettings {
  bool german = false;
  std::string log_path;  // empty: no request log
};

class HostWindow {
 public:
  static const char* const class_name;  // "SCRIV32"

  explicit HostWindow(HostSettings settings);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  // Registers the class and the two messages, creates and shows the window.
  bool create(HINSTANCE instance, int show_command);
  HWND hwnd() const { return hwnd_; }

 private:
  template <class T>
  friend LRESULT CALLBACK window_thunk(HWND, UINT, WPARAM, LPARAM);

  void attach(HWND hwnd) { hwnd_ = hwnd; }
  void detach() { hwnd_ = nullptr; }
  LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
  bool on_create();
  void layout(int width, int height);
  void on_destroy();
  LRESULT on_present(WPARAM question) const;
  LRESULT on_open_request(LPARAM atom);
  void on_command(int command, int notification);
  void choose_display_font();
  void apply_font(const LOGFONTA& logfont);
  void compare();
  void reopen_selected_request();
  void add_request_to_list(const std::string& text);

  HostSettings settings_;
  HINSTANCE instance_ = nullptr;
  HWND hwnd_ = nullptr;
  HWND caption_ = nullptr;
  HWND request_list_ = nullptr;
  UINT present_message_ = 0;
  UINT open_message_ = 0;
  LOGFONTA logfont_ = {};
  HFONT font_ = nullptr;  // owned; used by every viewer
  CompareChoice last_choice_;
  std::unique_ptr<OpenRequests> requests_;
};

}  // namespace scrivane
