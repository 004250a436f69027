// Text drawn in pieces between tab characters, shared by the cells and by
// the printed header and footer lines.
#pragma once

#include "twyndle/ui/table_surface.h"

#include <cstdint>

struct TextRun {
  const char* text;
  TableFont font;
  int32_t tab_step;  // pixels, at least 1
};

// Calls draw(piece, length, x) for each piece between tabs, x measured from
// the text's left edge; after a piece the pen moves on to the next multiple
// of the tab step. Returns the width of the whole text.
template <typename Draw>
int32_t lay_out_tabs(TableSurface& surface, const TextRun& run, Draw draw) {
  int32_t x = 0;
  const char* piece = run.text;
  while (true) {
    const char* end = piece;
    while (*end && *end != '\t') ++end;
    int32_t length = static_cast<int32_t>(end - piece);
    int32_t width = length > 0 ? surface.text_width(run.font, piece, length) : 0;
    if (length > 0) draw(piece, length, x);
    if (!*end) return x + width;
    x = (x + width + run.tab_step) / run.tab_step * run.tab_step;
    piece = end + 1;
  }
}

// The width of a text laid out at tab stops.
inline int32_t tabbed_width(TableSurface& surface, const TextRun& run) {
  return lay_out_tabs(surface, run, [](const char*, int32_t, int32_t) {});
}

// Where a text of the given width starts in a slot: centred, right-aligned
// (half a character in from the slot's end) or left-aligned (half a
// character in from its start).
inline int32_t aligned_left(int32_t slot_start, int32_t slot_width, int32_t char_width,
                            int32_t alignment, int32_t text_width) {
  int32_t half = char_width / 2;
  switch (alignment) {
    case align_centre: return slot_start + (slot_width - text_width) / 2;
    case align_right: return slot_start + slot_width - half - text_width;
    default: return slot_start + half;
  }
}
