// What the host does with an open request: log it, find the file and line it
// names, and show the file in a viewer with the line selected. A file already
// shown is read again into its viewer, so each request shows the file as it
// is now. A file that cannot be read gives a message box and no viewer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "scrivane/open_request.h"

namespace scrivane {

class ViewerWindow;

class OpenRequests {
 public:
  // log_path empty: no request log. owner: the window that owns the message
  // boxes.
  OpenRequests(HINSTANCE instance, HWND owner, std::string log_path);
  ~OpenRequests();
  OpenRequests(const OpenRequests&) = delete;
  OpenRequests& operator=(const OpenRequests&) = delete;

  // A request received from twyndle: logged, then opened.
  bool handle(const std::string& atom_text);
  // Opens the file and line that the text names, without logging it.
  bool open_text(const std::string& atom_text);

  // The font every viewer draws with (not owned; must outlive its use).
  void set_font(HFONT font);
  void close_all();

 private:
  bool open(const OpenRequest& request);
  ViewerWindow* find(const std::string& path) const;
  void forget(ViewerWindow* viewer);
  void log(const std::string& atom_text);

  HINSTANCE instance_;
  HWND owner_;
  std::string log_path_;
  bool log_failure_shown_ = false;
  HFONT font_ = nullptr;
  std::vector<ViewerWindow*> viewers_;  // open viewers; each removes itself when closed
};

}  // namespace scrivane
