// What the compare list needs of whoever shows it while it is built: it
// takes the list and hears of every item added. The program's View is one
// (twyndle/ui/view.h, view_attach_list and view_items_added); tests and
// benchmarks have their own.
#pragma once

#include <cstdint>

struct CompareList;

class ListReceiver {
 public:
  // Takes the list, which it owns from now on, and shows its (still empty)
  // outline. Refused (0) when it has a list already.
  virtual int32_t attach_list(CompareList* list) = 0;
  // Items were appended at the end of the attached list. Returns the
  // process-wide abort-requested flag.
  virtual int32_t items_added() = 0;

 protected:
  ~ListReceiver() = default;
};
