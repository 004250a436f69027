#include "twyndle/engine/source_file.h"

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/ui_seam.h"

namespace {
void release_lines(BlockList** lines) {
  for (auto* line = static_cast<Line*>(list_first(*lines)); line; line = static_cast<Line*>(list_next(line))) {
    line_release(line);
  }
  list_destroy(lines);
}
}  // namespace

SourceFile* source_new(DirEntry* entry, bool read_now) {
  if (!entry) return nullptr;
  auto* file = static_cast<SourceFile*>(engine_alloc(sizeof(SourceFile)));
  if (!file) return nullptr;
  file->entry = entry;
  file->lines = nullptr;
  file->unreadable = 0;
  if (read_now) source_lines(file);
  return file;
}

BlockList* source_lines(SourceFile* file) {
  if (!file) return nullptr;
  if (file->lines) return file->lines;
  WaitCursor wait;
  FsFile* opened = entry_open_read(file->entry);
  file->unreadable = opened ? 0 : 1;
  if (!opened) return nullptr;
  BlockList* lines = list_new();
  bool read_error = false;
  if (!read_lines(opened, lines, &read_error)) release_lines(&lines);
  if (read_error) file->unreadable = 1;
  fs_close(opened);
  file->lines = lines;
  return lines;
}

void source_discard_lines(SourceFile* file) {
  if (file) release_lines(&file->lines);
}

void source_reset_lines(SourceFile* file) {
  if (!file) return;
  for (auto* line = static_cast<Line*>(list_first(file->lines)); line; line = static_cast<Line*>(list_next(line))) {
    line_reset(line);
  }
}

void source_release(SourceFile* file) {
  if (!file) return;
  source_discard_lines(file);
  engine_free(file, sizeof(SourceFile));
}

DirEntry* source_entry(const SourceFile* file) { return file ? file->entry : nullptr; }

bool source_unreadable(const SourceFile* file) { return file && file->unreadable; }
