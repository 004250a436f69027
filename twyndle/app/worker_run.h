// Compare runs: the worker thread that compares the two paths of the
// command line while the window stays responsive, and its inline fallback
// when no thread can be made.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "twyndle/app/command_line.h"
#include "twyndle/engine/compare_list.h"
#include "twyndle/ui/view.h"

// What one run works on; made by start_compare_run, freed by finish_run.
struct RunParameters {
  std::string left_path;
  std::string right_path;
  bool recursive = true;        // directory compares always descend
  bool save = false;            // write the file list and end the program
  std::string save_file;
  uint32_t save_states = default_save_states;
  View* view = nullptr;
  CompareList* list = nullptr;  // the result; none when the compare failed
};

// How worker threads are made (CreateThread with the default stack size).
// A replacement that returns none makes every run go inline.
using ThreadMaker = HANDLE (*)(LPTHREAD_START_ROUTINE routine, void* parameter);
extern ThreadMaker make_worker_thread;

// Runs the routine on a new worker thread, remembered as worker_thread, or
// directly when no thread can be made. True when it went to a thread.
bool start_worker(LPTHREAD_START_ROUTINE routine, void* parameter);

// Begins busy, makes the run's View current and starts the compare of the
// command line's paths. False when a run is busy or no View can be made.
bool start_compare_run(const CommandLine& line);

// On the main thread, when the worker has reported its compare done
// (WM_APP_RUN_DONE to the main window): a complete compare of one
// row (two files) is selected and expanded, a failed compare leaves the
// table empty and no View, so that the window offers Exit; then the
// parameters go and busy ends.
void finish_run(RunParameters* run);
