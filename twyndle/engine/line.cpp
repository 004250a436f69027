#include "twyndle/engine/line.h"

#include <cstring>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/program_state.h"

namespace {
constexpr uint32_t hash_factor = 6293815;  // 0x600937

// The largest text kept inside its Line's own list item.
constexpr uint32_t inline_text_limit = list_block_data_bytes - sizeof(ListItemHeader) - sizeof(Line) - 1;

bool is_blank_byte(char c) { return c == ' ' || c == '\t'; }

char* text_pointer(const Line* line) {
  char* text;
  std::memcpy(&text, line + 1, sizeof text);
  return text;
}

Line* new_record(uint32_t length, BlockList* list, bool text_inline) {
  if (text_inline) return static_cast<Line*>(list_append(list, sizeof(Line) + length + 1));
  constexpr uint32_t bytes = sizeof(Line) + sizeof(char*);
  return static_cast<Line*>(list ? list_append(list, bytes) : engine_alloc(bytes));
}

// A byte as the hash takes it: signed, so 0x80 to 0xFF count as -128 to -1.
uint32_t byte_value(char c) { return static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c))); }

// The running state of a hash: the sum so far, the next byte's position
// and its factor K^position.
struct HashState {
  uint32_t sum = 0;
  uint32_t position = 1;
  uint32_t factor = hash_factor;

  void add(char c) {
    sum += byte_value(c) * position * factor;
    position += 1;
    factor *= hash_factor;
  }
};

// Four bytes at a time: for bytes c0..c3 at positions k..k+3 with factor
// f = K^k, the terms c_j (k + j) K^(k + j) add up to
// f ((c0 + c1 K + c2 K^2 + c3 K^3) k + c1 K + 2 c2 K^2 + 3 c3 K^3),
// which needs one step of the factor per four bytes. Wrapping arithmetic
// keeps the identity, so the result is the byte-by-byte sum.
void hash_every_byte(HashState& state, const char* p, uint32_t length) {
  constexpr uint32_t k1 = hash_factor, k2 = k1 * k1, k3 = k2 * k1, k4 = k2 * k2;
  const char* end = p + length;
  for (; end - p >= 4; p += 4) {
    uint32_t c0 = byte_value(p[0]), c1 = byte_value(p[1]), c2 = byte_value(p[2]), c3 = byte_value(p[3]);
    uint32_t weighted = c0 + c1 * k1 + c2 * k2 + c3 * k3;
    uint32_t offsets = c1 * k1 + c2 * (2 * k2) + c3 * (3 * k3);
    state.sum += state.factor * (weighted * state.position + offsets);
    state.factor *= k4;
    state.position += 4;
  }
  for (; p < end; ++p) state.add(*p);
}

void hash_skipping_blanks(HashState& state, const char* p, uint32_t length) {
  for (const char* end = p + length; p < end; ++p) {
    if (!is_blank_byte(*p)) state.add(*p);
  }
}

void hash_into(HashState& state, const char* bytes, uint32_t length) {
  if (program.ignore_blanks == 1) {
    hash_skipping_blanks(state, bytes, length);
  } else {
    hash_every_byte(state, bytes, length);
  }
}

// What matching compares of a Line: its bytes, all of them, except that a
// CR right before the closing LF belongs to the line end (so CR LF and LF
// ends match). `body` bytes of the text, then a LF when `crlf`.
struct MatchedText {
  const char* text;
  uint32_t body;
  bool crlf;

  uint32_t size() const { return body + (crlf ? 1 : 0); }
  char at(uint32_t i) const { return i < body ? text[i] : '\n'; }
};

MatchedText matched_text(const Line* line) {
  const char* text = line_text(line);
  uint32_t length = text ? line->length : 0;
  bool crlf = length >= 2 && text[length - 2] == '\r' && text[length - 1] == '\n';
  return MatchedText{text, crlf ? length - 2 : length, crlf};
}

bool equal_every_byte(const MatchedText& a, const MatchedText& b) {
  uint32_t size = a.size();
  if (size != b.size()) return false;
  if (a.crlf == b.crlf) return std::memcmp(a.text, b.text, a.body) == 0;
  // One ends in CR LF, the other must end in a LF at the same place.
  const MatchedText& plain = a.crlf ? b : a;
  return std::memcmp(a.text, b.text, size - 1) == 0 && plain.text[size - 1] == '\n';
}

bool equal_skipping_blanks(const MatchedText& a, const MatchedText& b) {
  uint32_t i = 0, j = 0, a_size = a.size(), b_size = b.size();
  for (;;) {
    while (i < a_size && is_blank_byte(a.at(i))) ++i;
    while (j < b_size && is_blank_byte(b.at(j))) ++j;
    if (i == a_size || j == b_size) return i == a_size && j == b_size;
    if (a.at(i) != b.at(j)) return false;
    ++i;
    ++j;
  }
}
}  // namespace

uint32_t bytes_hash(const char* bytes, uint32_t length) {
  if (!bytes) return 0;
  HashState state;
  hash_into(state, bytes, length);
  return state.sum;
}

uint32_t text_hash(const char* text) { return text ? bytes_hash(text, static_cast<uint32_t>(std::strlen(text))) : 0; }

Line* line_new(const char* bytes, uint32_t length, int32_t number, BlockList* list) {
  if (!bytes && length) return nullptr;
  bool text_inline = list && length <= inline_text_limit;
  char* text = nullptr;
  if (!text_inline) {
    text = text_new_n(bytes ? bytes : "", length);
    if (!text) return nullptr;
  }
  Line* line = new_record(length, list, text_inline);
  if (!line) {
    if (text) engine_free(text, static_cast<int32_t>(length) + 1);
    return nullptr;
  }
  if (text_inline) {
    auto* inline_text = reinterpret_cast<char*>(line + 1);
    if (length) std::memcpy(inline_text, bytes, length);
    inline_text[length] = '\0';
  } else {
    std::memcpy(line + 1, &text, sizeof text);
  }
  line->flags = (list ? 0 : line_standalone) | (text_inline ? line_text_inline : 0);
  line->hash = 0;
  line->link = nullptr;
  line->number = number;
  line->length = length;
  return line;
}

void line_release(Line* line) {
  if (!line || (line->flags & line_text_gone)) return;
  if (!(line->flags & line_text_inline)) engine_free(text_pointer(line), static_cast<int32_t>(line->length) + 1);
  line->flags |= line_text_gone;
  if (line->flags & line_standalone) engine_free(line, sizeof(Line) + sizeof(char*));
}

void line_reset(Line* line) {
  if (!line) return;
  line->link = nullptr;
  line->flags &= ~line_hash_valid;
}

const char* line_text(const Line* line) {
  if (!line || (line->flags & line_text_gone)) return nullptr;
  return (line->flags & line_text_inline) ? reinterpret_cast<const char*>(line + 1) : text_pointer(line);
}

int32_t line_number(const Line* line) { return line ? line->number : 0; }

Line* line_link(const Line* line) { return line ? line->link : nullptr; }

uint32_t line_hash(Line* line) {
  if (!line) return 0;
  if (!(line->flags & line_hash_valid)) {
    MatchedText matched = matched_text(line);
    HashState state;
    hash_into(state, matched.text ? matched.text : "", matched.body);
    if (matched.crlf) hash_into(state, "\n", 1);
    line->hash = state.sum;
    line->flags |= line_hash_valid;
  }
  return line->hash;
}

bool line_equal(Line* a, Line* b) {
  if (!line_text(a) || !line_text(b)) return false;
  if (line_hash(a) != line_hash(b)) return false;
  MatchedText p = matched_text(a), q = matched_text(b);
  return program.ignore_blanks == 1 ? equal_skipping_blanks(p, q) : equal_every_byte(p, q);
}

bool line_link_pair(Line* a, Line* b) {
  if (!a || !b || a->link || b->link || !line_equal(a, b)) return false;
  a->link = b;
  b->link = a;
  return true;
}

bool line_is_blank(const Line* line) {
  const char* text = line_text(line);
  if (!text) return false;
  const char* end = text + line->length;
  const char* p = text;
  while (p < end && is_blank_byte(*p)) ++p;
  return p == end || *p == '\r' || *p == '\n';
}

int32_t display_length(const Line* line, int32_t tab) {
  const char* text = line_text(line);
  if (!text) return 0;
  if (tab < 1) tab = 1;
  int32_t width = 0;
  for (const char* p = text; *p; ++p) {
    width = *p == '\t' ? (width + tab) / tab * tab : width + 1;
  }
  return width;
}
