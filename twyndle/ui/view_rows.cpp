// The View's row arrays and how they are filled.
//
// The outline grows while the worker thread pairs the two trees: each report
// appends only the items that came after the outline's last row, so a scan
// of n items costs time in proportion to n however often it reports. The
// array doubles when full. Only items the builder has reported are shown; an
// item at the list's end may still be in the making on the worker thread.
//
// An expanded listing is made in one step: count the rows of the composite
// Sections that are shown, make the array, then fill it. With only_changes
// an Equal Section is not shown line by line; when the listing has any
// change, it gets one row that says how many lines were left out there. The new array is
// made before the old one goes, so running out of memory leaves the rows
// as they were.

#include <cstring>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/ui/view_internal.h"

namespace {

constexpr int32_t expanded_tab_width = 8;
constexpr int32_t first_outline_capacity = 256;

void* array_new(int64_t count, size_t entry_bytes) {
  int64_t bytes = count * static_cast<int64_t>(entry_bytes);
  if (count <= 0 || bytes > INT32_MAX) return nullptr;
  return engine_alloc(static_cast<int32_t>(bytes));
}

void array_free(void* array, int32_t count, size_t entry_bytes) {
  if (array) engine_free(array, count * static_cast<int32_t>(entry_bytes));
}

bool outline_reserve(View* view, int32_t needed) {
  if (needed <= view->capacity) return true;
  int64_t capacity = view->capacity ? view->capacity : first_outline_capacity;
  while (capacity < needed) capacity *= 2;
  if (capacity > INT32_MAX / static_cast<int64_t>(sizeof(CompareItem*))) capacity = needed;
  auto* rows = static_cast<CompareItem**>(array_new(capacity, sizeof(CompareItem*)));
  if (!rows) return false;
  if (view->row_count) std::memcpy(rows, view->outline_rows, view->row_count * sizeof(CompareItem*));
  array_free(view->outline_rows, view->capacity, sizeof(CompareItem*));
  view->outline_rows = rows;
  view->capacity = static_cast<int32_t>(capacity);
  return true;
}

int32_t text_length(const char* text) { return text ? static_cast<int32_t>(std::strlen(text)) : 0; }

void widen(int32_t& width, int32_t length) {
  if (length >= width) width = length;
}

bool shown(const Section* section) { return !(program.only_changes && section_state(section) == Equal); }

bool has_change(const BlockList* composite) {
  for (Section* s = section_list_first(composite); s; s = section_next(s)) {
    if (section_state(s) != Equal) return true;
  }
  return false;
}

// The rows a Section takes: its lines, or one row for the lines left out
// (only where there are changes to show between them).
int64_t rows_of(const Section* section, bool gaps) {
  if (shown(section)) return section_line_count(section);
  return gaps ? 1 : 0;
}

int64_t count_expanded_rows(const BlockList* composite, bool gaps) {
  int64_t rows = 0;
  for (Section* s = section_list_first(composite); s; s = section_next(s)) rows += rows_of(s, gaps);
  return rows;
}

int32_t fill_gap(View* view, Section* section, ViewRow* rows) {
  rows[0] = ViewRow{nullptr, section, section_left_base(section), section_right_base(section)};
  char text[sizeof view->gap_text];
  widen(view->width2, gap_text(section_line_count(section), text, sizeof text));
  return 1;
}

// Appends the rows of one Section; returns the number appended (the Section
// may hold fewer Lines than its numbers say when its list ends early).
int32_t fill_section(View* view, Section* section, ViewRow* rows, int32_t room) {
  int32_t left = section_left_base(section);
  int32_t right = section_right_base(section);
  Line* end = section_last(section);
  int32_t made = 0;
  for (Line* line = section_first(section); line && made < room; line = line_next(line)) {
    rows[made++] = ViewRow{line, section, left, right};
    widen(view->width2, display_length(line, expanded_tab_width));
    if (left) ++left;
    if (right) ++right;
    if (line == end) break;
  }
  return made;
}

}  // namespace

void ViewLock::lock() {
  mutex_.lock();
  owner_.store(std::this_thread::get_id());
}

void ViewLock::unlock() {
  owner_.store(std::thread::id());
  mutex_.unlock();
}

bool ViewLock::held_by_caller() const { return owner_.load() == std::this_thread::get_id(); }

ViewLock& view_lock() {
  static ViewLock* lock = new ViewLock;
  return *lock;
}

bool view_lock_held() { return view_lock().held_by_caller(); }

void rows_free(View* view) {
  array_free(view->outline_rows, view->capacity, sizeof(CompareItem*));
  array_free(view->expanded_rows, view->capacity, sizeof(ViewRow));
  view->outline_rows = nullptr;
  view->expanded_rows = nullptr;
  view->capacity = 0;
  view->row_count = 0;
}

bool outline_append_told(View* view) {
  if (!view->last_told) return true;
  void* item = list_first(compare_list_items(view->list));
  if (view->row_count) {
    CompareItem* last_row = view->outline_rows[view->row_count - 1];
    if (last_row == view->last_told) return true;
    item = list_next(last_row);
  }
  for (; item; item = list_next(item)) {
    if (!outline_reserve(view, view->row_count + 1)) return false;
    auto* compare_item = static_cast<CompareItem*>(item);
    view->outline_rows[view->row_count++] = compare_item;
    widen(view->width1, text_length(item_name(compare_item)));
    widen(view->width2, text_length(item_tag(compare_item)));
    if (compare_item == view->last_told) break;
  }
  return true;
}

bool build_expanded(View* view, CompareItem* item, ViewGuard& held) {
  view->current_item = item;
  BlockList* composite = composite_sections(item);
  bool gaps = program.only_changes && has_change(composite);
  int64_t count = composite ? count_expanded_rows(composite, gaps) : 0;
  ViewRow* rows = nullptr;
  if (count > 0) rows = static_cast<ViewRow*>(array_new(count, sizeof(ViewRow)));
  if (!composite || (count > 0 && !rows)) {
    held.unlock();
    return false;
  }
  rows_free(view);
  view->expanded = true;
  view->expanded_rows = rows;
  view->capacity = static_cast<int32_t>(count);
  view->width1 = 5;
  view->width2 = 0;
  int32_t made = 0;
  for (Section* s = section_list_first(composite); s && made < count; s = section_next(s)) {
    if (shown(s)) {
      made += fill_section(view, s, rows + made, static_cast<int32_t>(count) - made);
    } else if (gaps) {
      made += fill_gap(view, s, rows + made);
    }
  }
  view->row_count = made;
  ViewSink* table = view->table;
  held.unlock();
  if (table) table->send(TM_LAYOUT, 0, reinterpret_cast<intptr_t>(view));
  return true;
}
