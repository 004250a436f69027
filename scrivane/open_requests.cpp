#include "scrivane/open_requests.h"

#include <algorithm>

#include "scrivane/request_log.h"
#include "scrivane/text_lines.h"
#include "scrivane/ui_messages.h"
#include "scrivane/viewer_window.h"

namespace scrivane {

namespace {

bool is_file(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

OpenRequests::OpenRequests(HINSTANCE instance, HWND owner, std::string log_path)
    : instance_(instance), owner_(owner), log_path_(std::move(log_path)) {}

OpenRequests::~OpenRequests() { close_all(); }

bool OpenRequests::handle(const std::string& atom_text) {
  log(atom_text);
  return open_text(atom_text);
}

bool OpenRequests::open_text(const std::string& atom_text) {
  return open(resolve_open_request(atom_text, is_file));
}

void OpenRequests::log(const std::string& atom_text) {
  if (log_path_.empty() || append_log_line(log_path_, atom_text)) return;
  // Said once: a box for every later request would stop each of them.
  if (log_failure_shown_) return;
  log_failure_shown_ = true;
  show_message(owner_, "Cannot write the request log " + log_path_ + ".", MB_ICONERROR);
}

bool OpenRequests::open(const OpenRequest& request) {
  TextLines lines;
  std::string error;
  if (!load_text_lines(request.path, lines, error)) {
    show_message(owner_, error, MB_ICONERROR);
    return false;
  }
  ViewerWindow* viewer = find(request.path);
  if (viewer) {
    viewer->replace_lines(std::move(lines));
  } else {
    viewer = ViewerWindow::open(instance_, request.path, std::move(lines), font_,
                                [this](ViewerWindow* closed) { forget(closed); });
    if (!viewer) {
      show_message(owner_, "Cannot open a window for " + request.path + ".", MB_ICONERROR);
      return false;
    }
    viewers_.push_back(viewer);
  }
  viewer->go_to_line(request.line_number);
  viewer->bring_to_front();
  return true;
}

ViewerWindow* OpenRequests::find(const std::string& path) const {
  for (ViewerWindow* viewer : viewers_) {
    if (lstrcmpiA(viewer->path().c_str(), path.c_str()) == 0) return viewer;
  }
  return nullptr;
}

void OpenRequests::forget(ViewerWindow* viewer) {
  viewers_.erase(std::remove(viewers_.begin(), viewers_.end(), viewer), viewers_.end());
}

void OpenRequests::set_font(HFONT font) {
  font_ = font;
  for (ViewerWindow* viewer : viewers_) viewer->set_font(font);
}

void OpenRequests::close_all() {
  // Destroying a viewer removes it from the list, so work on a copy.
  std::vector<ViewerWindow*> viewers = viewers_;
  for (ViewerWindow* viewer : viewers) DestroyWindow(viewer->hwnd());
}

}  // namespace scrivane
