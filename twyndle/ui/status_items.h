// The items of the status bar ("gdstatusclass"): labels and push buttons,
// each placed from the left or from the right edge, and their layout. The
// owner makes the list before it creates the bar; the bar owns it from then
// on. Widths are given in average character widths, rectangles in pixels.
#pragma once

#include <cstdint>

constexpr int32_t status_text_max = 80;

enum StatusKind : int32_t {
  status_empty = 0,   // zero width, never drawn
  status_button = 1,
  status_label = 2,
};

enum StatusFlag : int32_t {
  status_raised = 0x01,     // labels: raised frame
  status_sunken = 0x02,     // labels: sunken frame
  status_from_left = 0x04,  // else placed from the right edge
  status_fit_text = 0x10,   // width follows the text
  status_at_most = 0x20,    // with fit_text: at most the given width
  status_at_least = 0x40,   // with fit_text: at least the given width
};

// Pixels; right and bottom exclusive. Empty when left >= right.
struct StatusRect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct StatusItem {
  int32_t kind;                       // StatusKind
  int32_t flags;                      // StatusFlag bits
  int32_t identifier;                 // a button's command; the key for texts
  int32_t width;                      // in average character widths
  char text[status_text_max + 1];     // always terminated
  StatusRect rect;                    // set by status_layout
};

struct StatusItemList {
  int32_t count;
  StatusItem* items;                  // count entries
  int32_t pressed;                    // the button held down with the mouse, -1 for none
  int32_t shown_pressed;              // the pressed button is drawn down
};

// Text measurement with the bar's font.
class StatusMeasure {
 public:
  virtual ~StatusMeasure() = default;
  virtual int32_t text_width(const char* text) = 0;
};

// A zeroed list of n slots; none when n is negative or memory runs out.
StatusItemList* create_status_items(int32_t n);
void free_status_items(StatusItemList* list);
// Fills slot `index` (text none = empty, cut to 80 characters); false when
// there is no such slot.
bool set_status_item(StatusItemList* list, int32_t index, int32_t kind, int32_t flags,
                     int32_t identifier, int32_t width, const char* text);
// Sets the text of the first item with the identifier; its index, or -1.
int32_t status_set_text(StatusItemList* list, int32_t identifier, const char* text);

// An item's height for a line height of the bar's font.
int32_t status_item_height(const StatusItem& item, int32_t line_height);
// The bar's height: the tallest item plus 4 (line height + 4 when empty).
int32_t status_bar_height(const StatusItemList* list, int32_t line_height);
// The item's width in pixels (0 for a width of 0).
int32_t status_item_width(const StatusItem& item, int32_t char_width, StatusMeasure& measure);
// Places every item in a client area of the given size.
void status_layout(StatusItemList* list, int32_t client_width, int32_t client_height,
                   int32_t char_width, int32_t line_height, StatusMeasure& measure);
// The first item whose rectangle holds the point, or -1.
int32_t status_item_at(const StatusItemList* list, int32_t x, int32_t y);
bool status_rect_empty(const StatusRect& rect);
