#include "twyndle/engine/section.h"

#include "twyndle/engine/engine_memory.h"

Section* section_new(Line* first, Line* last, BlockList* list) {
  Section* section = list ? static_cast<Section*>(list_append(list, sizeof(Section)))
                          : static_cast<Section*>(engine_alloc(sizeof(Section)));
  if (!section) return nullptr;
  section->first = first;
  section->last = last;
  section->standalone = list ? 0 : 1;
  section->link = nullptr;
  section->state = 0;
  section->left_base = 1;
  section->right_base = 1;
  return section;
}

void section_release(Section* section) {
  if (section && section->standalone) engine_free(section, sizeof(Section));
}

Line* section_first(const Section* section) { return section ? section->first : nullptr; }
Line* section_last(const Section* section) { return section ? section->last : nullptr; }
int32_t section_state(const Section* section) { return section ? section->state : 0; }

void section_set_state(Section* section, int32_t state) {
  if (section) section->state = state;
}

int32_t section_left_base(const Section* section) { return section ? section->left_base : 0; }
int32_t section_right_base(const Section* section) { return section ? section->right_base : 0; }
Section* section_link(const Section* section) { return section ? section->link : nullptr; }

int32_t section_line_count(const Section* section) {
  if (!section || !section->first || !section->last) return 0;
  return line_number(section->last) - line_number(section->first) + 1;
}

Section* section_next(const Section* section) {
  return section && !section->standalone ? static_cast<Section*>(list_next(section)) : nullptr;
}

Section* section_prev(const Section* section) {
  return section && !section->standalone ? static_cast<Section*>(list_prev(section)) : nullptr;
}

Section* section_list_first(const BlockList* list) { return static_cast<Section*>(list_first(list)); }
