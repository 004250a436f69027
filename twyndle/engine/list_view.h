// What the compare list needs of the view that shows it while it is built.
// The program's View implements it; tests stand in for it.
#pragma once

#include <cstdint>

struct CompareList;

class ListView {
 public:
  // Takes the list, which the view owns from now on, and shows its
  // (still empty) outline. Refused (0) when the view already has a list.
  virtual int32_t attach_list(CompareList* list) = 0;
  // Items were appended at the end of the attached list. Returns the
  // process-wide abort-requested flag.
  virtual int32_t items_added() = 0;

 protected:
  ~ListView() = default;
};

// The calls the compare list makes; without a view, 0.
int32_t view_attach_list(ListView* view, CompareList* list);
int32_t view_items_added(ListView* view);
