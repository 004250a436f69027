// twyndle's program state: every value the whole process shares, in one
// place. The engine, the row model, the table's printing and the main
// window read them here; nothing else in the program is process-wide but
// the main window's own windows, fonts and host link (`app`,
// twyndle/app/app_state.h) and the engine's list memory (list_memory.h).
//
// It lives with the engine because every part of the program links the
// engine; the engine itself reads only the options and abort_requested.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

struct View;  // the row model, twyndle/ui/view.h

struct ProgramState {
  // The options of the command line. Start-up sets them once, before the
  // first run starts; from then on they are only read (0 off, 1 on).
  int ignore_blanks = 0;  // -i: spaces and tabs are skipped wherever a Line is
                          // hashed or compared, and the matcher passes over
                          // blank Lines. Cached hashes depend on it.
  int side_by_side = 0;   // -d: expanded rows show the left and the right text
                          // in columns 2 and 3
  int only_changes = 0;   // -o: expanded rows leave out equal lines; one row
                          // stands for each run of them
  int colour_marks = 0;   // -c: cells are coloured by the state of their row
                          // (not when printing)
  int check_contents = 1;  // 1: the bytes of an equal-size pair are compared
                           // before it is called identical. 0 decides by the
                           // sizes alone, which is never sound for a user; only
                           // the benchmark that measures the check sets it.

  // The run state: at most one worker run (a compare or a copy) at a time.
  std::mutex busy_lock;                  // guards busy, abort_requested and
                                         // the main window's worker thread
  std::atomic<bool> busy{false};         // a worker run is in progress
  std::atomic<int> abort_requested{0};   // the user aborted the run (or cancelled
                                         // a print); walks, pairing, copying
                                         // and printing stop on it; cleared
                                         // when the run or print ends
  View* current_view = nullptr;          // the View the table shows; the main
                                         // thread's (none: the window is empty)
  std::atomic<uint32_t> elapsed_ticks{0};  // milliseconds the last pairing or
                                           // copy took
};

extern ProgramState program;
