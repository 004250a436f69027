// A Line: one line of a file taking part in a compare, its text with the
// line-end bytes, a cached hash and the link to the matching Line of the
// other file (links are always made in pairs).
#pragma once

#include <cstdint>

#include "twyndle/engine/block_list.h"

constexpr uint32_t line_standalone = 1;   // allocated outside a list; line_release frees it
constexpr uint32_t line_hash_valid = 2;   // `hash` holds the hash of the text
constexpr uint32_t line_text_inline = 4;  // the text follows the record in its own list item
constexpr uint32_t line_text_gone = 8;    // released: the Line has no text any more

// The text is not a field: a Line in a list carries its text right behind
// the record, in the same list item (one allocation, and the bytes the
// matcher compares lie next to the record it has just loaded). A standalone
// Line, or one too long for a list item, holds a pointer to an owned heap
// text there instead. line_text gives the text either way.
struct Line {
  uint32_t flags;   // line_* bits above
  uint32_t hash;    // valid only with line_hash_valid
  Line* link;       // the matching Line of the other file, or none
  int32_t number;   // 1-based line number within its file
  uint32_t length;  // bytes of text before the terminating NUL (the text may hold NULs)
};

// A new Line over a copy of `length` bytes; appended to `list`, or
// standalone without one. None when memory runs out.
Line* line_new(const char* bytes, uint32_t length, int32_t number, BlockList* list);
// Frees the text, and the record too when it is standalone.
void line_release(Line* line);
// Forgets the link and the cached hash.
void line_reset(Line* line);

const char* line_text(const Line* line);
int32_t line_number(const Line* line);
Line* line_link(const Line* line);

// Matching takes every byte of a Line's text, NULs included, except that a
// CR right before the closing LF counts as part of the line end: "abc" CR LF
// matches "abc" LF. The text itself keeps its CR for display and listings.

// The hash of what matching compares, computed on first use and cached.
uint32_t line_hash(Line* line);
// Equal hashes and equal texts as matching sees them (spaces and tabs
// skipped as well with ignore_blanks).
bool line_equal(Line* a, Line* b);
// Links a and b to each other if neither is linked and they are equal.
bool line_link_pair(Line* a, Line* b);
// The text is only spaces and tabs up to its end or a CR or LF.
bool line_is_blank(const Line* line);
// The width of the text with tabs expanded to multiples of `tab`.
int32_t display_length(const Line* line, int32_t tab);

// The hash of `length` bytes, each taken as it is.
uint32_t bytes_hash(const char* bytes, uint32_t length);
// bytes_hash of a NUL-terminated text.
uint32_t text_hash(const char* text);
