// twyndle-compare [-i] LEFT RIGHT
//
// Compares two roots with the engine exactly as the program does and prints
// the result in plain text, for checking against other tools.
// Two files: one line per composite Section, "state left_base right_base
// first last", then "lines L R ms T" with both files' line counts and the
// milliseconds the matching took. Otherwise one line per compare item:
// state, tab, name, tab, tag. Exit code 0, or 1 when a root cannot be
// found or a file cannot be read.
#include <chrono>
#include <cstdio>
#include <cstring>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/console_ui.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/section.h"
#include "twyndle/engine/source_file.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {
int32_t line_count(SourceFile* file) {
  int32_t count = 0;
  for (void* line = list_first(file ? file->lines : nullptr); line; line = list_next(line)) ++count;
  return count;
}

int print_sections(CompareItem* item) {
  auto start = std::chrono::steady_clock::now();
  BlockList* composite = composite_sections(item);
  auto took = std::chrono::steady_clock::now() - start;
  for (Section* s = section_list_first(composite); s; s = section_next(s)) {
    std::printf("%d %d %d %d %d\n", s->state, s->left_base, s->right_base, line_number(s->first),
                line_number(s->last));
  }
  long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
  std::printf("lines %d %d ms %lld\n", line_count(item_left_file(item)), line_count(item_right_file(item)), ms);
  if (composite) return 0;
  std::fprintf(stderr, "twyndle-compare: a file cannot be read\n");
  return 1;
}

void print_items(const CompareList* list) {
  for (void* data = list_first(compare_list_items(list)); data; data = list_next(data)) {
    auto* item = static_cast<CompareItem*>(data);
    std::printf("%d\t%s\t%s\n", item_state(item), item_name(item), item_tag(item));
  }
}

int usage() {
  std::fprintf(stderr, "usage: twyndle-compare [-i] LEFT RIGHT\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  int first = 1;
  if (argc > 1 && std::strcmp(argv[1], "-i") == 0) {
    program.ignore_blanks = 1;
    first = 2;
  }
  if (argc - first != 2) return usage();
  ConsoleUi console;
  ui_seam_install(&console);
  if (!engine_start()) return 1;
  CompareList* list = compare_paths(argv[first], argv[first + 1], nullptr, 1);
  int status = list ? 0 : 1;
  if (list && tree_is_file(list->left) && tree_is_file(list->right)) {
    status = print_sections(static_cast<CompareItem*>(list_first(compare_list_items(list))));
  } else if (list) {
    print_items(list);
  }
  compare_list_release(list);
  engine_stop();
  return status;
}
