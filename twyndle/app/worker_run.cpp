#include "twyndle/app/worker_run.h"

#include <new>

#include "twyndle/app/app_state.h"
#include "twyndle/app/busy_state.h"
#include "twyndle/app/table_sink.h"
#include "twyndle/app/view_display.h"
#include "twyndle/engine/save_list.h"

namespace {
HANDLE create_thread(LPTHREAD_START_ROUTINE routine, void* parameter) {
  DWORD id = 0;
  return CreateThread(nullptr, 0, routine, parameter, 0, &id);
}

// A run with a save file ends the program here: with 0 when the list was
// written in full, with 1 when the compare or the writing failed (the user
// has been told why), so that the host never takes a failed list for a
// good one.
void save_and_exit(RunParameters* run) {
  bool saved = run->list && save_list(run->list, run->save_file.c_str(), run->save_states);
  ExitProcess(saved ? 0 : 1);
}

// A compare that failed (a path not found, already reported) leaves no
// View behind: the window is empty again and offers Exit.
void drop_failed_view(View* view) {
  view_release(view);
  if (program.current_view != view) return;  // the table dropped it itself
  view_delete(view);
  program.current_view = nullptr;
  app.display_mode = mode_empty;
}

DWORD WINAPI compare_worker(void* parameter) {
  auto* run = static_cast<RunParameters*>(parameter);
  run->list = compare_paths(run->left_path.c_str(), run->right_path.c_str(), run->view, run->recursive);
  if (run->save) save_and_exit(run);
  SendMessageA(app.main_window, WM_APP_RUN_DONE, reinterpret_cast<WPARAM>(run), 0);
  return 0;
}
}  // namespace

ThreadMaker make_worker_thread = create_thread;

bool start_worker(LPTHREAD_START_ROUTINE routine, void* parameter) {
  HANDLE thread = make_worker_thread(routine, parameter);
  if (!thread) {
    routine(parameter);
    return false;
  }
  std::lock_guard<std::mutex> guard(program.busy_lock);
  app.worker_thread = thread;
  return true;
}

bool start_compare_run(const CommandLine& line) {
  if (!begin_busy()) return false;
  if (line.save) ShowWindow(app.main_window, SW_MINIMIZE);
  View* view = view_create(table_sink());
  if (!view) {
    end_busy();
    return false;
  }
  program.current_view = view;
  app.display_mode = mode_empty;
  auto* run = new (std::nothrow) RunParameters;
  if (!run) {
    end_busy();
    return false;
  }
  run->left_path = line.left_path;
  run->right_path = line.right_path;
  run->save = line.save;
  run->save_file = line.save_file;
  run->save_states = line.save_states;
  run->view = view;
  start_worker(compare_worker, run);
  return true;
}

void finish_run(RunParameters* run) {
  if (!run) return;
  flush_table_sink();
  // One row means two files were compared, unless an abort cut a longer
  // scan short after its first item.
  if (!run->list) {
    drop_failed_view(run->view);
  } else if (view_row_count(run->view) == 1 && compare_list_complete(run->list)) {
    select_row(0);
    expand();
  }
  delete run;
  end_busy();
}
