// Where a View sends its notices: TM_* messages to the table window that
// shows it, and the compare title for the main window. The program hands
// the View a sink over its table window (view_sink_win32.h); tests record.
//
// A View calls its sink only while view_lock is free: the table answers a
// notice on the main thread by calling back into the View.
#pragma once

#include <cstdint>

class ViewSink {
 public:
  // Sends a TM_* message (table_protocol.h) to the table window and returns
  // the table's answer. For TM_SELECT lparam points at a TableSelection
  // that lives only for the call.
  virtual intptr_t send(uint32_t message, uintptr_t wparam, intptr_t lparam) = 0;
  // The compare title ("left : right") or none; the text is the View's and
  // lives only for the call.
  virtual void set_title(const char* title) = 0;

 protected:
  ~ViewSink() = default;
};
