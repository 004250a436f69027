// The connection to the host editor, Scrivane: its window (class "SCRIV32",
// else "Scrivane"), the window that takes open requests, and the two
// messages registered by name with the platform so that both programs use
// the same numbers.
//   SCPresent (sent)  wParam 0: the target window, or 0 for the host window
//                     wParam 1: non-zero when the host wants German texts
//   EPOpenDoc (posted to the target)  wParam 1, lParam a global atom holding
//                     a path, or a path, "/" and a line number; the host
//                     owns the atom from then on.
#pragma once

#include <windows.h>

#include <cstdint>

struct HostLink {
  HWND window = nullptr;      // the host's top-level window
  HWND target = nullptr;      // receives EPOpenDoc
  UINT present_message = 0;   // SCPresent
  UINT open_message = 0;      // EPOpenDoc
};

// The first top-level window of class "SCRIV32", else "Scrivane"; none.
HWND find_host_window();

// Asks the host for its target window and language. False without a host
// window (the link is then unchanged).
bool connect_host(HostLink* link, HWND host_window, bool* use_german);

// Posts one open request for the file (its full path), at a line when
// line_number > 0. A text that does not fit a global atom is not posted: the user is told
// that the path is too long to hand over (a box owned by `owner`).
bool post_open_request(const HostLink& link, HWND owner, const char* path, int32_t line_number);

// Brings the host's target window to the front and activates it.
void bring_host_forward(const HostLink& link);
