// What the View's source files share: view_lock, the row arrays, the
// expansion step and the readers that expect the lock to be held.
#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <thread>

#include "twyndle/ui/view.h"

// One lock for every View of the process. It remembers its holder, so that
// a notice sent while it is held can be caught.
class ViewLock {
 public:
  void lock();
  void unlock();
  bool held_by_caller() const;

 private:
  std::mutex mutex_;
  std::atomic<std::thread::id> owner_{};
};

// The lock, made on first use and never destroyed (a worker may still
// hold it while the process ends).
ViewLock& view_lock();

using ViewGuard = std::unique_lock<ViewLock>;

// Row arrays (lock held). Freeing leaves no rows in either mode.
void rows_free(View* view);
// Appends the items that the builder reported after the outline's last row,
// widening width1 and width2 to their texts. False when memory ran out (the
// rows already there stay).
bool outline_append_told(View* view);
// Replaces the rows by the expanded rows of `item`. Entered with `held`
// locked; leaves it unlocked on every path; sends TM_LAYOUT on success.
// False, with the rows as they were, when the item's files cannot be read
// or memory runs out.
bool build_expanded(View* view, CompareItem* item, ViewGuard& held);

// The text of a row that stands for `count` equal lines left out.
int32_t gap_text(int32_t count, char* buffer, size_t size);

// Readers for callers that hold the lock.
// The cell text with the line texts placed side by side (columns 2 and 3)
// or all in column 2.
const char* cell_text_locked(View* view, int32_t row, int32_t column, bool side_by_side);
int32_t row_state_locked(const View* view, int32_t row);
int32_t column_width_locked(const View* view, int32_t column);
