#include "twyndle/app/host_link.h"

#include <string>

#include "twyndle/app/app_messages.h"
#include "twyndle/app/open_request.h"

HWND find_host_window() {
  HWND window = FindWindowA("SCRIV32", nullptr);
  return window ? window : FindWindowA("Scrivane", nullptr);
}

bool connect_host(HostLink* link, HWND host_window, bool* use_german) {
  if (!host_window) return false;
  link->window = host_window;
  link->present_message = RegisterWindowMessageA("SCPresent");
  HWND target = reinterpret_cast<HWND>(SendMessageA(host_window, link->present_message, 0, 0));
  *use_german = SendMessageA(host_window, link->present_message, 1, 0) != 0;
  link->open_message = RegisterWindowMessageA("EPOpenDoc");
  link->target = target ? target : host_window;
  return true;
}

namespace {
// The host does not share our current folder, so a relative path is made
// full before it is handed over.
std::string full_path(const char* path) {
  char full[MAX_PATH * 2] = "";
  DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : std::string(path);
}
}  // namespace

bool post_open_request(const HostLink& link, HWND owner, const char* path, int32_t line_number) {
  if (!path || !*path) return false;
  std::string text = open_request_text(full_path(path).c_str(), line_number);
  if (!fits_atom(text)) {
    app_message(owner, "The path is too long to hand over to Scrivane:\n" + text, "Twyndle", MB_ICONHAND);
    return false;
  }
  ATOM atom = GlobalAddAtomA(text.c_str());
  if (!atom) {
    app_message(owner, "Cannot hand over " + text + " to Scrivane", "Twyndle", MB_ICONHAND);
    return false;
  }
  if (!PostMessageA(link.target, link.open_message, 1, atom)) {
    GlobalDeleteAtom(atom);
    return false;
  }
  return true;
}

void bring_host_forward(const HostLink& link) {
  SetForegroundWindow(link.target);
  SetActiveWindow(link.target);
}
